# Install rules and the two Debian packages (CPack, one package per install component):
#   hardlens-report  component "report": the command line, its man page, shell completions
#                    and the JSON schemas; no Qt, for servers
#   hardlens         component "window": the window, depending on hardlens-report and Qt
#
#   cmake -S . -B build-pkg/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
#   cmake --build build-pkg/release && (cd build-pkg/release && cpack -G DEB)
#
# scripts/package.sh does exactly this. Nothing here runs during a normal build.

include(GNUInstallDirs)

set(HARDLENS_APP_ID "org.hardlens.Hardlens" CACHE STRING
    "Application id: names the desktop entry, the AppStream metainfo and the icon")
set(HARDLENS_PACKAGE_VERSION "${PROJECT_VERSION}" CACHE STRING
    "Version of the Debian package")
set(HARDLENS_PACKAGE_MAINTAINER "Hardlens maintainers <hardlens@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(_pkg ${CMAKE_CURRENT_SOURCE_DIR}/packaging)

# Debian policy wants manual pages and changelogs compressed, reproducibly (-n: no name, no
# time stamp in the header).
find_program(HARDLENS_GZIP gzip)
function(hardlens_gzip source output)
  if(NOT HARDLENS_GZIP)
    message(FATAL_ERROR "gzip is needed to install ${source}")
  endif()
  add_custom_command(OUTPUT ${output}
    COMMAND ${HARDLENS_GZIP} -9nc ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

set(_gz ${CMAKE_CURRENT_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${_gz})
set(_gz_files ${_gz}/hardlens-report.1.gz ${_gz}/changelog.gz)
set(_completions ${_pkg}/completions)
hardlens_gzip(${_pkg}/man/hardlens-report.1 ${_gz}/hardlens-report.1.gz)
hardlens_gzip(${_pkg}/changelog ${_gz}/changelog.gz)
if(TARGET hardlens)
  hardlens_gzip(${_pkg}/man/hardlens.1 ${_gz}/hardlens.1.gz)
  list(APPEND _gz_files ${_gz}/hardlens.1.gz)
endif()
add_custom_target(hardlens_compressed_docs ALL DEPENDS ${_gz_files})

# ---- install ----------------------------------------------------------------------------------
# Each shell's own folder for completions that come with a package.
set(_bash_completions ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
set(_zsh_completions ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
set(_fish_completions ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# Every package carries its own copyright file and changelog, as Debian policy asks, and its
# lintian overrides.
function(hardlens_install_docs package component)
  install(FILES ${_pkg}/copyright ${_gz}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${component})
  install(FILES ${_pkg}/lintian/${package}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT ${component})
endfunction()

# A stripped install (CPack's) also drops the compiler's .comment section, as Debian's own
# packaging does.
function(hardlens_install_program target component)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
  if(CMAKE_OBJCOPY)
    install(CODE "
      if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}\"
          COMMAND_ERROR_IS_FATAL ANY)
      endif()" COMPONENT ${component})
  endif()
endfunction()

hardlens_install_program(hardlens-report report)
install(FILES ${_gz}/hardlens-report.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT report)
install(FILES ${_completions}/hardlens-report.bash DESTINATION ${_bash_completions}
        RENAME hardlens-report COMPONENT report)
install(FILES ${_completions}/_hardlens-report DESTINATION ${_zsh_completions} COMPONENT report)
install(FILES ${_completions}/hardlens-report.fish DESTINATION ${_fish_completions}
        COMPONENT report)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/docs/hardlens-report.schema.json
              ${CMAKE_CURRENT_SOURCE_DIR}/docs/hardlens-compare.schema.json
              ${CMAKE_CURRENT_SOURCE_DIR}/docs/hardlens-inventory.schema.json
        DESTINATION ${CMAKE_INSTALL_DATADIR}/hardlens COMPONENT report)
# A version without a Debian revision makes a native package: its changelog is changelog.gz.
hardlens_install_docs(hardlens-report report)

if(TARGET hardlens)
  hardlens_install_program(hardlens window)
  install(FILES ${_gz}/hardlens.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT window)
  install(FILES ${_completions}/hardlens.bash DESTINATION ${_bash_completions} RENAME hardlens
          COMPONENT window)
  install(FILES ${_completions}/_hardlens DESTINATION ${_zsh_completions} COMPONENT window)
  install(FILES ${_completions}/hardlens.fish DESTINATION ${_fish_completions} COMPONENT window)
  install(FILES ${_pkg}/${HARDLENS_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT window)
  install(FILES ${_pkg}/${HARDLENS_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT window)
  install(FILES ${_pkg}/icons/${HARDLENS_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT window)
  hardlens_install_docs(hardlens window)
endif()

# ---- Debian packages --------------------------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "hardlens")
set(CPACK_PACKAGE_VENDOR "Vexmoor")
set(CPACK_PACKAGE_VERSION "${HARDLENS_PACKAGE_VERSION}")
set(CPACK_PACKAGE_CONTACT "${HARDLENS_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://hardlens.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL report)
if(TARGET hardlens)
  list(APPEND CPACK_COMPONENTS_ALL window)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # hardlens-report_2.1.0_amd64.deb, hardlens_2.1.0_amd64.deb
set(CPACK_DEBIAN_REPORT_PACKAGE_NAME "hardlens-report")
set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME "hardlens")
# Both packages come from the one source, whose changelog they carry.
set(CPACK_DEBIAN_PACKAGE_SOURCE "hardlens")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HARDLENS_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION "x11")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# Each description's first line is its summary; CPack indents the rest and marks empty lines.
set(CPACK_DEBIAN_REPORT_DESCRIPTION
"system information report for PCs, on the command line
hardlens-report prints the facts of the computer it runs on: summary,
user, computer, operating system, processor, RAM, hard drives, BIOS,
display, keyboard and mouse, removable memory, CDs/DVDs and other
hardware, as text, HTML or JSON, in Spanish, English or Dutch.

It records a machine into a snapshot file and reports on a recorded one,
compares two recordings and lists many of them in one table (CSV, HTML
or JSON), which suits collecting a fleet of servers. JSON schemas of its
documents are in /usr/share/hardlens/. This package needs no graphical
libraries; the window is in the package hardlens.")
set(CPACK_DEBIAN_WINDOW_DESCRIPTION
"system information viewer for PCs
Hardlens shows the facts of the PC it runs on in one skinned window:
summary, user, computer, operating system, processor, RAM, hard drives,
BIOS, display, keyboard and mouse, removable memory, CDs/DVDs and other
hardware. It speaks Spanish, English and Dutch, has four skins and builds
a full report as text and HTML.

The same report on the terminal comes from hardlens-report, on which this
package depends.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Library dependencies come from dpkg-shlibdeps (package dpkg-dev) where it exists; without it
# they are listed by hand for Debian 12.
find_program(HARDLENS_DPKG_SHLIBDEPS dpkg-shlibdeps)
set(_report_depends "")
set(_window_depends "hardlens-report (= ${HARDLENS_PACKAGE_VERSION})")
if(HARDLENS_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  message(STATUS "dpkg-shlibdeps not found: the packages list their dependencies by hand")
  set(_report_depends "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1 (>= 3.0)")
  string(APPEND _window_depends ", ${_report_depends}"
         ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6svg6 (>= 6.4)"
         ", libqt6network6 (>= 6.4)")
endif()
# The window needs a platform plugin (xcb, ...), which libqt6gui6 only recommends.
string(APPEND _window_depends ", qt6-qpa-plugins")
set(CPACK_DEBIAN_REPORT_PACKAGE_DEPENDS "${_report_depends}")
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS "${_window_depends}")
# The Linux source names PCI and USB devices from /usr/share/hwdata/*.ids; without the Wayland
# platform plugin the window runs through XWayland on a Wayland desktop; Qt's own dialog texts
# in Spanish and Dutch come with its translations.
set(CPACK_DEBIAN_REPORT_PACKAGE_RECOMMENDS "hwdata")
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")

include(CPack)
