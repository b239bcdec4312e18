# fish completion for hardlens-report

# The inventory's columns: file, machine, the row keys of --format json and the device columns.
function __hardlens_report_columns
    # A comma-separated list: offer the next key after the ones already given.
    set -l given (string replace -r '^--columns=' '' -- (commandline -ct) | string replace -r '[^,]*$' '')
    for key in file machine \
        battery.ac_adapter battery.charge battery.cycle_count battery.full_capacity \
        battery.health battery.manufacturer battery.model battery.power battery.state \
        battery.technology battery.time_to_empty battery.time_to_full \
        display.gpus disks.models memory.free_slots memory.max_capacity memory.slots \
        bios.manufacturer bios.name bios.primary bios.release_date bios.serial_number \
        bios.smbios_version bios.version computer.auto_restart computer.manufacturer \
        computer.model computer.startup_delay computer.system_type computer.workgroup \
        disks.capacity disks.drive_letters disks.file_systems disks.free_space \
        disks.internal_names disks.names disks.partitions disks.serial_numbers \
        disks.used_space display.adapter_dac_type display.adapter_memory display.adapter_name \
        display.current_configuration display.driver_date display.driver_names \
        display.driver_version display.monitor_manufacturer display.monitor_name \
        display.refresh_rate input.function_keys input.keyboard_description \
        input.keyboard_name input.mouse_buttons input.mouse_connection input.mouse_handedness \
        input.mouse_manufacturer input.mouse_name memory.available memory.chip_type \
        memory.data_bus_width memory.in_use memory.modules memory.total memory.type memory.use \
        network.adapter network.connection_type network.driver network.gateway \
        network.interface network.ipv4 network.ipv6 network.link_speed network.mac_address \
        network.other_adapters network.state \
        optical.drive_letters optical.file_systems optical.internal_names optical.names \
        optical.serial_numbers optical.size os.install_date os.language os.license_code \
        os.name os.process_count os.registered_owner os.serial_number os.service_pack os.type \
        os.version_build os.virtual_memory_in_use other.motherboard_manufacturer \
        other.motherboard_model other.motherboard_name other.sound_card_manufacturer \
        other.sound_card_name processor.architecture processor.cores processor.l2_cache \
        processor.l3_cache processor.manufacturer processor.name processor.socket \
        processor.speed processor.type removable.capacity removable.drive_letters \
        removable.file_systems removable.free_space removable.internal_names removable.names \
        removable.serial_numbers removable.used_space summary.free_space summary.graphics_card \
        sensors.chips sensors.cpu_temperature sensors.disk_temperature sensors.fan_count \
        sensors.fan_speed sensors.gpu_temperature sensors.hottest sensors.power \
        sensors.reading_count sensors.system_temperature sensors.voltage \
        summary.graphics_memory summary.motherboard summary.operating_system \
        summary.processor_speed summary.ram user.account_type user.bad_password_count \
        user.domain user.last_logon_time user.logon_count user.name user.password_changeable \
        user.password_expires user.privilege_level user.usage_time
        echo $given$key
    end
end

function __hardlens_report_formats
    if __fish_seen_argument -l inventory
        printf '%s\n' csv html json
    else
        printf '%s\n' text html json
    end
end

complete -c hardlens-report -f
complete -c hardlens-report -l snapshot -r -F -d 'Read a recorded machine instead of this one'
complete -c hardlens-report -l language -x -a 'Spanish English Dutch es en nl' -d 'Language of the report'
complete -c hardlens-report -l skin -x -a 'Blue Green Pink Violet' -d 'Colour of the HTML report'
complete -c hardlens-report -l format -x -a '(__hardlens_report_formats)' -d 'Output format'
complete -c hardlens-report -l section -x -a '(seq 1 16)' -d 'Only one section'
complete -c hardlens-report -l details -d 'After each section, every device it lists'
complete -c hardlens-report -l private -d 'Replace serial numbers, product key, user and domain'
complete -c hardlens-report -l output -r -F -d 'Write the document to a file'
complete -c hardlens-report -l capture -r -F -d 'Record this machine into a snapshot file'
complete -c hardlens-report -l root -x -a '(__fish_complete_directories)' -d 'Read the Linux tree under a folder'
complete -c hardlens-report -l compare -r -F -d 'The facts that differ between two snapshots'
complete -c hardlens-report -l all -d 'With --compare, keep the values that change by themselves'
complete -c hardlens-report -l inventory -d 'One line per snapshot file or folder'
complete -c hardlens-report -l columns -x -a '(__hardlens_report_columns)' -d 'Inventory columns'
complete -c hardlens-report -s h -l help -d 'Print the help and exit'
complete -c hardlens-report -s V -l version -d 'Print the version and exit'
# The snapshots of --compare and --inventory.
complete -c hardlens-report -n '__fish_seen_argument -l compare -l inventory' -F
