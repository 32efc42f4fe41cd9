# SPDX-License-Identifier: GPL-3.0-or-later
# numora_add_challenge(NAME ENGINE sources... WINDOW sources...)
# A challenge is two libraries: numora_<NAME>_engine (standard C++, no Qt) and, unless the build
# is engines-only, its window numora_<NAME> over the engine and the challenge frame.
function(numora_add_challenge name)
  cmake_parse_arguments(ARG "" "" "ENGINE;WINDOW" ${ARGN})
  add_library(numora_${name}_engine STATIC ${ARG_ENGINE})
  target_include_directories(numora_${name}_engine PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(numora_${name}_engine PUBLIC numora_rules)
  if(TARGET numora_frame)
    add_library(numora_${name} STATIC ${ARG_WINDOW})
    target_link_libraries(numora_${name} PUBLIC numora_${name}_engine numora_frame)
  endif()
endfunction()
