# The Linux package: where `make install` and `make package` (a .deb through
# CPack) put the game. Installed, the game lives in /usr/games and finds its
# Assets in /usr/share/games/vexal/ (see Native_ChangeToGameFolder).
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux")
  return()
endif()

set(VEXAL_PACKAGING ${PROJECT_SOURCE_DIR}/packaging/linux)
set(VEXAL_PACKAGE_FILES ${CMAKE_BINARY_DIR}/packaging)

# Debian wants manual pages and the changelog (changelog.gz: the package is
# its own upstream, a "native" one) compressed, reproducibly (-n:
# no name or time stamp inside).
set(VEXAL_COMPRESSED)
foreach(pair "vexal.6|vexal.6.gz" "vexal-level.6|vexal-level.6.gz" "changelog|changelog.gz")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 source)
  list(GET pair 1 target)
  add_custom_command(OUTPUT ${VEXAL_PACKAGE_FILES}/${target}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VEXAL_PACKAGE_FILES}
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${VEXAL_PACKAGING}/${source} ${VEXAL_PACKAGE_FILES}/${target}
    DEPENDS ${VEXAL_PACKAGING}/${source} VERBATIM)
  list(APPEND VEXAL_COMPRESSED ${VEXAL_PACKAGE_FILES}/${target})
endforeach()
add_custom_target(package_files ALL DEPENDS ${VEXAL_COMPRESSED})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS vexal vexal-level RUNTIME DESTINATION games)
# The icons go to the desktop's icon theme instead.
install(DIRECTORY ${CMAKE_BINARY_DIR}/Assets DESTINATION share/games/vexal
  PATTERN icons EXCLUDE)
install(DIRECTORY ${CMAKE_BINARY_DIR}/Assets/icons/hicolor DESTINATION share/icons)
install(FILES ${VEXAL_PACKAGING}/vexal.desktop DESTINATION share/applications)
install(FILES ${VEXAL_PACKAGING}/vexal.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VEXAL_PACKAGE_FILES}/vexal.6.gz ${VEXAL_PACKAGE_FILES}/vexal-level.6.gz
  DESTINATION share/man/man6)
install(FILES ${VEXAL_PACKAGING}/copyright ${VEXAL_PACKAGE_FILES}/changelog.gz
  DESTINATION share/doc/vexal)

set(VEXAL_MAINTAINER "Orrinth <vexal@orrinth.example>" CACHE STRING
  "Maintainer of the .deb, as Debian's control file writes it")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vexal)
set(CPACK_PACKAGE_VENDOR Orrinth)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VEXAL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries' packages come from what the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CPack indents the lines after the summary and turns the empty one into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "momentum-driven 2D space flight arcade game
Vexal is a single-player arcade game about flying a small spaceship that
keeps its momentum: every burst of thrust stays with you until an asteroid
knocks you back or you turn and burn the other way. Fuel is short, fuel
cells refill it, and touching the goal portal ends the level.

It has a 19-level campaign with par times and a top-ten table, plays level
files of your own, and has a level editor; vexal-level checks and flies
level files from the command line.")
include(CPack)
