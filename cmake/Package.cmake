# SPDX-License-Identifier: GPL-3.0-or-later
# `cpack -G DEB` in the build directory makes a Debian package of the installed tree.
set(CPACK_PACKAGE_NAME numora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Numora")
set(CPACK_PACKAGE_CONTACT "Numora developers <numora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "number typing and concentration training game for pupils")
set(CPACK_PACKAGE_DESCRIPTION
    "A training game for school pupils, in Chinese: type 1, 2, 3, ... in order, each number \
followed by Enter, while the screen times the run to the hundredth of a second. Nine levels \
in three challenges: counting to a goal, open counting within a time limit, and endurance.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from the binary's own links where dpkg-shlibdeps can read them. The
# platform plugins (no window opens without them) and the faces the screens are laid out for
# are loaded at run time, so they are named here.
set(numora_runtime_depends "qt6-qpa-plugins, fonts-noto-cjk, fonts-liberation2")
find_program(NUMORA_SHLIBDEPS dpkg-shlibdeps)
if(NUMORA_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "${numora_runtime_depends}")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6network6 (>= 6.4), \
libqt6core6 (>= 6.4), libstdc++6 (>= 12), libc6 (>= 2.36), ${numora_runtime_depends}")
endif()
# The licence, where Debian looks for it (share/doc/<package>/copyright).
if(NOT WIN32)
  include(GNUInstallDirs)
  install(FILES ${PROJECT_SOURCE_DIR}/app/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/numora)
endif()
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
