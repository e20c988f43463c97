# Installs the build into a temporary prefix, checks the installed layout
# and runs an installed example with the installed elastrix-cli; where
# dpkg-deb is at hand, also packs the Debian package and checks its control
# data and contents.
# cmake -DBUILD=<build dir> -DPREFIX=<scratch dir> [-DGUI=ON] -P install_layout.cmake
foreach(var BUILD PREFIX)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "install_layout.cmake needs -D${var}=...")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${PREFIX})
run(${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX})

set(expected bin/elastrix-cli Data Library/Standard.mpd
    examples/steel_plate/steel_plate.wmd examples/steel_plate/steel_plate.pcx
    examples/immersion/immersion.wmd examples/phased_array/phased_array.wmd
    share/applications/elastrix.desktop share/mime/packages/elastrix-model.xml
    share/doc/elastrix/manual/index.html share/doc/elastrix/manual/manual.css
    share/doc/elastrix/manual/tutorial.html)
if(GUI)
  list(APPEND expected bin/elastrix)
endif()
foreach(path ${expected})
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "the installation lacks ${path}")
  endif()
endforeach()
# Nothing of the package's system part lands in a prefix installation.
if(EXISTS ${PREFIX}/usr)
  message(FATAL_ERROR "a prefix installation must not hold the package's /usr part")
endif()

# The installed runner runs an installed example where a user would: a copy
# in the data folder.
file(COPY ${PREFIX}/examples/immersion DESTINATION ${PREFIX}/Data)
run(${PREFIX}/bin/elastrix-cli run ${PREFIX}/Data/immersion/immersion.wmd)
if(NOT EXISTS ${PREFIX}/Data/immersion/echo.txt)
  message(FATAL_ERROR "the installed example wrote no receiver file echo.txt")
endif()
file(STRINGS ${PREFIX}/Data/immersion/echo.txt lines)
list(LENGTH lines count)
if(count LESS 800)
  message(FATAL_ERROR "echo.txt holds ${count} lines; the example runs 885 steps")
endif()

# The Debian package.
find_program(DPKG_DEB dpkg-deb)
get_filename_component(cmake_bin ${CMAKE_COMMAND} DIRECTORY)
set(CPACK ${cmake_bin}/cpack)
if(NOT DPKG_DEB OR NOT EXISTS ${CPACK})
  message(STATUS "dpkg-deb or cpack missing: the Debian package is not checked")
  return()
endif()
file(MAKE_DIRECTORY ${PREFIX}-deb)
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake
                        -D CPACK_OUTPUT_FILE_PREFIX=${PREFIX}-deb
                WORKING_DIRECTORY ${BUILD} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed:\n${out}\n${err}")
endif()
file(GLOB debs ${PREFIX}-deb/elastrix_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} packages named elastrix_*.deb in ${PREFIX}-deb")
endif()
run(${DPKG_DEB} -I ${debs})
foreach(field "Package: elastrix" "Depends: [^\n]*libqt6widgets6" "Depends: [^\n]*libstdc\\+\\+6"
              "Architecture: [a-z0-9]+")
  if(GUI OR NOT field MATCHES "qt6")
    if(NOT output MATCHES "${field}")
      message(FATAL_ERROR "the package's control data lacks '${field}':\n${output}")
    endif()
  endif()
endforeach()
run(${DPKG_DEB} -c ${debs})
foreach(path "./opt/elastrix/bin/elastrix-cli" "./usr/bin/elastrix-cli -> /opt/elastrix/bin/elastrix-cli"
             "./usr/share/applications/elastrix.desktop" "./usr/share/mime/packages/elastrix-model.xml"
             "./opt/elastrix/share/doc/elastrix/manual/index.html" "./opt/elastrix/Library/Standard.mpd")
  string(FIND "${output}" "${path}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the package lacks ${path}:\n${output}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX}-deb)
