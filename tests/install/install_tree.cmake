# Installs the build into a fresh prefix and makes it read-only, as a system installation is
# to its users. Usage: cmake -DBUILD=<build folder> -DPREFIX=<prefix> -P install_tree.cmake
if(EXISTS ${PREFIX})
  file(CHMOD_RECURSE ${PREFIX} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       FILE_PERMISSIONS OWNER_READ OWNER_WRITE)
  file(REMOVE_RECURSE ${PREFIX})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} RESULT_VARIABLE failed
                OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
file(CHMOD_RECURSE ${PREFIX} DIRECTORY_PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
     WORLD_READ WORLD_EXECUTE FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
file(CHMOD ${PREFIX}/bin/kinvora PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
     WORLD_EXECUTE)
