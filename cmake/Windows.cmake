# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build (scripts/windows.sh): one self-contained numora.exe with its icon and version
# information, no console window, and the NSIS installer made from it.

set_target_properties(numora PROPERTIES WIN32_EXECUTABLE ON)

# The icon in the sizes Windows shows (title bar, task bar, Explorer, desktop), drawn by the
# game's own code like the desktop icons.
set(numora_ico ${CMAKE_CURRENT_BINARY_DIR}/windows/numora.ico)
add_custom_command(
  OUTPUT ${numora_ico}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${NUMORA_ICON_MAKER_COMMAND} --ico
          ${numora_ico} 16 24 32 48 64 256
  DEPENDS ${NUMORA_ICON_MAKER_DEPENDS}
  COMMENT "Drawing the Windows icon"
  VERBATIM)
add_custom_target(numora_ico DEPENDS ${numora_ico})

set(NUMORA_RC_VERSION "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
configure_file(${PROJECT_SOURCE_DIR}/app/windows/numora.rc.in ${CMAKE_CURRENT_BINARY_DIR}/windows/numora.rc
               @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/windows/numora.manifest
               ${CMAKE_CURRENT_BINARY_DIR}/windows/numora.manifest COPYONLY)
target_sources(numora PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/windows/numora.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/windows/numora.rc PROPERTIES
  OBJECT_DEPENDS "${numora_ico};${CMAKE_CURRENT_BINARY_DIR}/windows/numora.manifest")
add_dependencies(numora numora_ico)

# Qt is linked in statically, and with it its plugins: the Windows platform and the Vista style
# for the game, the offscreen and minimal platforms for the suites and for a start without a
# display.
function(numora_import_plugins dir)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      qt_import_plugins(${target} INCLUDE Qt${QT_VERSION_MAJOR}::QWindowsIntegrationPlugin
                        Qt${QT_VERSION_MAJOR}::QOffscreenIntegrationPlugin
                        Qt${QT_VERSION_MAJOR}::QMinimalIntegrationPlugin
                        Qt${QT_VERSION_MAJOR}::QWindowsVistaStylePlugin)
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir ${subdirs})
    numora_import_plugins(${subdir})
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL numora_import_plugins
               ${PROJECT_SOURCE_DIR})

# build/windows/dist: the portable exe and the installer, each with the licences beside it.
set(NUMORA_QT_LICENSES "" CACHE PATH "Qt's licence and notice texts, copied beside the artefacts")
set(dist ${CMAKE_CURRENT_BINARY_DIR}/dist)
find_program(NUMORA_MAKENSIS makensis)
add_custom_target(numora_dist
  COMMAND ${CMAKE_COMMAND} -E make_directory ${dist}/licenses
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:numora> ${dist}/numora.exe
  COMMAND ${CMAKE_STRIP} ${dist}/numora.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${dist}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${NUMORA_QT_LICENSES} ${dist}/licenses
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/app/windows/README-licenses.txt
          ${dist}/licenses/README.txt
  COMMAND ${NUMORA_MAKENSIS} -V2 -INPUTCHARSET UTF8 -DVERSION=${PROJECT_VERSION}
          -DDIST=${dist} -DICON=${numora_ico} -DOUTFILE=${dist}/numora-setup.exe
          ${PROJECT_SOURCE_DIR}/app/windows/numora.nsi
  DEPENDS numora numora_ico
  COMMENT "Making build/windows/dist: numora.exe and numora-setup.exe"
  VERBATIM)

# The user's security identifier for the single-instance lock.
target_link_libraries(numora_platform PRIVATE advapi32)
