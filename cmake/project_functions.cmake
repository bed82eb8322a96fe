# Shared helpers for the subsystem folders.

# A static library from every .cpp of the given folders (nothing when none exist yet).
# Usage: add_glob_library(name FOLDERS dir... [LIBS lib...])
function(add_glob_library name)
  cmake_parse_arguments(A "" "" "FOLDERS;LIBS" ${ARGN})
  set(sources)
  foreach(dir ${A_FOLDERS})
    file(GLOB found CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.c)
    list(APPEND sources ${found})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_LIBS})
  endif()
endfunction()

# A Windows GUI program with a wWinMain entry point.
function(set_gui_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_link_options(${target} PRIVATE -municode)
endfunction()

# A console program with a wmain entry point.
function(set_console_program target)
  target_link_options(${target} PRIVATE -municode)
endfunction()

# The runtime files every program of ours finds beside itself.
function(add_runtime_files target)
  add_dependencies(${target} runtime_files)
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt (one
# program or test area each), so a new one needs no edit here.
function(add_each_subdirectory)
  file(GLOB entries CONFIGURE_DEPENDS LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(dir ${entries})
    if(IS_DIRECTORY ${dir} AND EXISTS ${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()
