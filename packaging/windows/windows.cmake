# The Windows game program: a window program (no console opens beside the
# game) whose .exe carries the generated application icon, the same
# appicon.ico the game gives its window at run time.
set_target_properties(vexal PROPERTIES WIN32_EXECUTABLE ON)
set(VEXAL_APP_ICON ${CMAKE_BINARY_DIR}/Assets/appicon.ico)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/vexal.rc.in ${CMAKE_BINARY_DIR}/vexal.rc @ONLY)
target_sources(vexal PRIVATE ${CMAKE_BINARY_DIR}/vexal.rc)
# The icon is generated (copied in, in a cross build) before the resource is
# compiled: vexal depends on the assets target.
set_source_files_properties(${CMAKE_BINARY_DIR}/vexal.rc PROPERTIES OBJECT_DEPENDS ${VEXAL_APP_ICON})
