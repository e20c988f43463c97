# Installation and the Debian package.
#
# `cmake --install build --prefix DIR` gives a self-contained installation
# whose root folder is DIR (the parent of the program folder):
#
#   DIR/bin/elastrix, DIR/bin/elastrix-cli      the programs
#   DIR/Data/                                   the default folder of models and results
#   DIR/Library/Standard.mpd                    the standard material library
#   DIR/examples/<name>/                        ready-to-run models
#   DIR/share/applications/elastrix.desktop     the desktop entry
#   DIR/share/mime/packages/elastrix-model.xml  the .wmd file type
#   DIR/share/doc/elastrix/manual/index.html    the manual (Help > Help Topics)
#
# `cpack -G DEB` (scripts/package.sh) packs the same tree under /opt/elastrix
# and adds what the system needs to find it: /usr/bin/elastrix and
# /usr/bin/elastrix-cli as links into /opt/elastrix/bin (the programs follow
# the link back to their own folder, so the root folder stays /opt/elastrix),
# and the desktop entry and file type under /usr/share.

install(DIRECTORY DESTINATION Data)
foreach(example steel_plate immersion phased_array)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/${example} DESTINATION examples)
endforeach()

# The manual with its pictures, in the folder the desktop program looks in
# (RootFolder/share/doc/elastrix/manual); the build tree gets a copy too, so
# the program in <build>/bin finds it.
set(ELASTRIX_DOC_DESTINATION share/doc/elastrix)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual ${PROJECT_SOURCE_DIR}/docs/screens
        DESTINATION ${ELASTRIX_DOC_DESTINATION})
install(FILES ${PROJECT_SOURCE_DIR}/docs/main_window.png ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${ELASTRIX_DOC_DESTINATION})
add_custom_target(elastrix_manual ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs/manual
          ${CMAKE_BINARY_DIR}/${ELASTRIX_DOC_DESTINATION}/manual
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/docs/screens
          ${CMAKE_BINARY_DIR}/${ELASTRIX_DOC_DESTINATION}/screens
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/docs/main_window.png
          ${CMAKE_BINARY_DIR}/${ELASTRIX_DOC_DESTINATION}/main_window.png
  COMMENT "Copying the manual into the build tree")

# The package's system part, left out of `cmake --install` (component
# "system", excluded from a full installation) so that an installation into
# any prefix never writes outside it.
set(ELASTRIX_PACKAGE_PREFIX /opt/elastrix)
set(links ${CMAKE_BINARY_DIR}/package/links)
file(MAKE_DIRECTORY ${links})
foreach(program elastrix elastrix-cli)
  file(CREATE_LINK ${ELASTRIX_PACKAGE_PREFIX}/bin/${program} ${links}/${program} SYMBOLIC)
  install(FILES ${links}/${program} DESTINATION /usr/bin COMPONENT system EXCLUDE_FROM_ALL)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/share/elastrix.desktop DESTINATION /usr/share/applications
        COMPONENT system EXCLUDE_FROM_ALL)
install(FILES ${PROJECT_SOURCE_DIR}/share/elastrix-model.xml DESTINATION /usr/share/mime/packages
        COMPONENT system EXCLUDE_FROM_ALL)

# The Debian package: one package of every component.
find_program(ELASTRIX_DPKG dpkg)
set(architecture amd64)
if(ELASTRIX_DPKG)
  execute_process(COMMAND ${ELASTRIX_DPKG} --print-architecture OUTPUT_VARIABLE architecture
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME elastrix)
set(CPACK_PACKAGE_VENDOR Norvantech)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Elastrix developers <elastrix@norvantech.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "two-dimensional elastic wave simulator for ultrasonics")
set(CPACK_PACKAGE_DESCRIPTION
    "Elastrix simulates two-dimensional elastic wave propagation for ultrasonic work with an explicit finite-difference scheme over a gray-level geometry image: materials, sources, receivers, boundary conditions and absorbing sides; the recorded A-scans are plotted and analysed (spectrum, attenuation, arrival times). It holds the Qt desktop program, the headless runner elastrix-cli, the manual and example models.")
set(CPACK_PACKAGING_INSTALL_PREFIX ${ELASTRIX_PACKAGE_PREFIX})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified system)
set(CPACK_DEBIAN_PACKAGE_NAME elastrix)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${architecture})
set(CPACK_DEBIAN_FILE_NAME elastrix_${PROJECT_VERSION}_${architecture}.deb)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://norvantech.invalid/elastrix")
# The libraries the programs link (Qt 6 Widgets, Print Support, the C++
# runtime): dpkg-shlibdeps works them out from the binaries where it is
# installed; otherwise Debian 12's package names are declared by hand.
find_program(ELASTRIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ELASTRIX_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libstdc++6 (>= 12), libgcc-s1, libc6 (>= 2.36)")
endif()
# Fonts and the platform plugin of the desktop program.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, fonts-dejavu-core, shared-mime-info, desktop-file-utils, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/cmake/debian/postinst
    ${PROJECT_SOURCE_DIR}/cmake/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)

if(TARGET elastrix)
  add_dependencies(elastrix elastrix_manual)
endif()
