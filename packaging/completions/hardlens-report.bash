# bash completion for hardlens-report                      -*- shell-script -*-

# The inventory's columns: file, machine, the row keys of --format json and the columns read
# from devices. A test compares
# this list with the keys the program takes.
_hardlens_report_columns='file machine
battery.ac_adapter battery.charge battery.cycle_count battery.full_capacity battery.health
battery.manufacturer battery.model battery.power battery.state battery.technology
battery.time_to_empty battery.time_to_full
display.gpus disks.models memory.free_slots memory.max_capacity memory.slots
bios.manufacturer bios.name bios.primary bios.release_date bios.serial_number
bios.smbios_version bios.version computer.auto_restart computer.manufacturer computer.model
computer.startup_delay computer.system_type computer.workgroup disks.capacity
disks.drive_letters disks.file_systems disks.free_space disks.internal_names disks.names
disks.partitions disks.serial_numbers disks.used_space display.adapter_dac_type
display.adapter_memory display.adapter_name display.current_configuration display.driver_date
display.driver_names display.driver_version display.monitor_manufacturer display.monitor_name
display.refresh_rate input.function_keys input.keyboard_description input.keyboard_name
input.mouse_buttons input.mouse_connection input.mouse_handedness input.mouse_manufacturer
input.mouse_name memory.available memory.chip_type memory.data_bus_width memory.in_use
memory.modules memory.total memory.type memory.use optical.drive_letters optical.file_systems
network.adapter network.connection_type network.driver network.gateway network.interface
network.ipv4 network.ipv6 network.link_speed network.mac_address network.other_adapters
network.state
optical.internal_names optical.names optical.serial_numbers optical.size os.install_date
os.language os.license_code os.name os.process_count os.registered_owner os.serial_number
os.service_pack os.type os.version_build os.virtual_memory_in_use other.motherboard_manufacturer
other.motherboard_model other.motherboard_name other.sound_card_manufacturer
other.sound_card_name processor.architecture processor.cores processor.l2_cache
processor.l3_cache processor.manufacturer processor.name processor.socket processor.speed
processor.type removable.capacity removable.drive_letters removable.file_systems
removable.free_space removable.internal_names removable.names removable.serial_numbers
removable.used_space summary.free_space summary.graphics_card summary.graphics_memory
sensors.chips sensors.cpu_temperature sensors.disk_temperature sensors.fan_count
sensors.fan_speed sensors.gpu_temperature sensors.hottest sensors.power
sensors.reading_count sensors.system_temperature sensors.voltage
summary.motherboard summary.operating_system summary.processor_speed summary.ram
user.account_type user.bad_password_count user.domain user.last_logon_time user.logon_count
user.name user.password_changeable user.password_expires user.privilege_level user.usage_time'

_hardlens_report() {
    local cur prev words cword split
    _init_completion -s || return

    local i mode=report
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        --inventory) mode=inventory ;;
        --compare) mode=compare ;;
        esac
    done

    case $prev in
    --snapshot | --output | --capture)
        _filedir
        return
        ;;
    --root)
        _filedir -d
        return
        ;;
    --compare)
        COMPREPLY=($(compgen -W '-' -- "$cur"))
        _filedir
        return
        ;;
    --language)
        COMPREPLY=($(compgen -W 'Spanish English Dutch es en nl' -- "$cur"))
        return
        ;;
    --skin)
        COMPREPLY=($(compgen -W 'Blue Green Pink Violet' -- "$cur"))
        return
        ;;
    --format)
        local formats='text html json'
        [[ $mode == inventory ]] && formats='csv html json'
        COMPREPLY=($(compgen -W "$formats" -- "$cur"))
        return
        ;;
    --section)
        COMPREPLY=($(compgen -W '{1..16}' -- "$cur"))
        return
        ;;
    --columns)
        # A comma-separated list: complete its last key after the ones already given.
        local given=
        [[ $cur == *,* ]] && given=${cur%,*},
        COMPREPLY=($(compgen -P "$given" -W "$_hardlens_report_columns" -- "${cur##*,}"))
        compopt -o nospace
        return
        ;;
    esac
    $split && return

    # The second snapshot of --compare OLD NEW.
    if ((cword >= 2)) && [[ ${words[cword - 2]} == --compare ]]; then
        COMPREPLY=($(compgen -W '-' -- "$cur"))
        _filedir
        return
    fi

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--snapshot --language --skin --format --section --details --private
            --output --capture --root --compare --all --inventory --columns --help --version' \
            -- "$cur"))
        return
    fi

    # The recordings and folders of --inventory.
    [[ $mode == inventory ]] && _filedir
}
complete -F _hardlens_report hardlens-report
