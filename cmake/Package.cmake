# The files a Debian system expects beside the programs (manual pages, the licence as copyright,
# the changelog, all compressed as Debian does it) and the package itself: `make package` writes
# build/quillon_VERSION_amd64.deb with stripped programs and dependencies read from them.

set(QUILLON_MAINTAINER "The Quillon developers <quillon-devel@lists.quillon.invalid>")

# gzip -9n: the best compression, and no name or time stamp in the header, so that the same
# text always gives the same bytes.
set(quillon_compressed)
function(quillon_gzip source target)
  add_custom_command(OUTPUT ${target}
    COMMAND gzip -9n -c ${source} > ${target}
    DEPENDS ${source} VERBATIM)
  list(APPEND quillon_compressed ${target})
  set(quillon_compressed ${quillon_compressed} PARENT_SCOPE)
endfunction()

set(package_dir ${CMAKE_BINARY_DIR}/package-files)
file(MAKE_DIRECTORY ${package_dir})
configure_file(share/debian/changelog.in ${package_dir}/changelog @ONLY)
quillon_gzip(${package_dir}/changelog ${package_dir}/changelog.gz)
foreach(page quillon.1 quillon-cli.1 quillon-fpc-win64-units.1)
  quillon_gzip(${PROJECT_SOURCE_DIR}/docs/man/${page} ${package_dir}/${page}.gz)
endforeach()
add_custom_target(quillon_package_files ALL DEPENDS ${quillon_compressed})

install(FILES share/debian/copyright ${package_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quillon)
install(FILES ${package_dir}/quillon-cli.1.gz ${package_dir}/quillon-fpc-win64-units.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
if(TARGET quillon)
  install(FILES ${package_dir}/quillon.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# cpack installs what is built and builds nothing: `make package` builds first, and the package
# test packs the programs it depends on while other tests run.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillon)
set(CPACK_PACKAGE_VENDOR "The Quillon developers")
set(CPACK_PACKAGE_CONTACT "${QUILLON_MAINTAINER}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer of Object Pascal library servers")
set(CPACK_PACKAGE_DESCRIPTION
  "Quillon designs dynamic link libraries that serve objects to host\n"
  "applications and generates their complete Object Pascal (Delphi dialect)\n"
  "source: server units, interface and controller units, library projects,\n"
  "project groups, data modules and debug host applications.\n"
  "\n"
  "The package holds the Qt workbench quillon, the command line quillon-cli,\n"
  "the run-time unit of generated library servers and the user guide.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUILLON_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Directories the package makes are 0755 whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
