# Install rules and the Debian package (CPack).
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
hardlens_gzip(${_pkg}/man/hardlens-report.1 ${_gz}/hardlens-report.1.gz)
hardlens_gzip(${_pkg}/changelog ${_gz}/changelog.gz)
if(TARGET hardlens)
  hardlens_gzip(${_pkg}/man/hardlens.1 ${_gz}/hardlens.1.gz)
  list(APPEND _gz_files ${_gz}/hardlens.1.gz)
endif()
add_custom_target(hardlens_compressed_docs ALL DEPENDS ${_gz_files})

# ---- install ----------------------------------------------------------------------------------
install(TARGETS hardlens-report RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${_gz}/hardlens-report.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A version without a Debian revision makes a native package: its changelog is changelog.gz.
install(FILES ${_pkg}/copyright ${_gz}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hardlens)

if(TARGET hardlens)
  install(TARGETS hardlens RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${_gz}/hardlens.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_pkg}/${HARDLENS_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_pkg}/${HARDLENS_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${_pkg}/icons/${HARDLENS_APP_ID}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# ---- Debian package ---------------------------------------------------------------------------
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "hardlens")
set(CPACK_PACKAGE_VENDOR "Vexmoor")
set(CPACK_PACKAGE_VERSION "${HARDLENS_PACKAGE_VERSION}")
set(CPACK_PACKAGE_CONTACT "${HARDLENS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "system information viewer for PCs")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://hardlens.example.org/")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # hardlens_2.1.0_amd64.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${HARDLENS_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The long description under the summary line; CPack indents it and marks the empty line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Hardlens shows the facts of the PC it runs on in one skinned window:
summary, user, computer, operating system, processor, RAM, hard drives,
BIOS, display, keyboard and mouse, removable memory, CDs/DVDs and other
hardware. It speaks Spanish, English and Dutch and has four skins.

hardlens-report prints the same report, or one section, as text, HTML or
JSON, records a machine into a file and reports on a recorded one.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Library dependencies come from dpkg-shlibdeps (package dpkg-dev) where it exists; without it
# they are listed by hand for Debian 12.
find_program(HARDLENS_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(HARDLENS_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(_extra_depends "")
else()
  message(STATUS "dpkg-shlibdeps not found: the package lists its dependencies by hand")
  set(_extra_depends "libc6 (>= 2.34), libstdc++6 (>= 12), libgcc-s1 (>= 3.0)")
  if(TARGET hardlens)
    string(APPEND _extra_depends
           ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6svg6 (>= 6.4)"
           ", libqt6network6 (>= 6.4)")
  endif()
endif()
# The window needs a platform plugin (xcb, ...), which libqt6gui6 only recommends.
if(TARGET hardlens)
  if(_extra_depends)
    string(APPEND _extra_depends ", ")
  endif()
  string(APPEND _extra_depends "qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_extra_depends}")
# The Linux source names PCI and USB devices from /usr/share/hwdata/*.ids; without the Wayland
# platform plugin the window runs through XWayland on a Wayland desktop; Qt's own dialog texts
# in Spanish and Dutch come with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hwdata")
if(TARGET hardlens)
  string(APPEND CPACK_DEBIAN_PACKAGE_RECOMMENDS ", qt6-wayland, qt6-translations-l10n")
endif()

include(CPack)
