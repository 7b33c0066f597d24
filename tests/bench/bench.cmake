# The frame benchmark, vexal_bench: built with the tests so that it cannot
# quietly rot, run by hand (build/vexal_bench) or by scripts/bench-compare,
# which also uses this file to build the current bench against an older game.
file(GLOB VEXAL_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/bench/bench_*.cpp)
add_executable(vexal_bench ${VEXAL_BENCH_SOURCES}
  ${PROJECT_SOURCE_DIR}/tests/support/malloc_counter.cpp)
vexal_target_defaults(vexal_bench)
target_include_directories(vexal_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(vexal_bench PRIVATE vexal_game)

# Loaded into the game program to time its first presented frame. Never
# sanitized: the sanitizers' runtime must come first in a program.
add_library(vexal_first_frame_probe MODULE ${PROJECT_SOURCE_DIR}/tests/bench/first_frame_probe.cpp)
target_compile_options(vexal_first_frame_probe PRIVATE ${VEXAL_WARNINGS})
target_link_libraries(vexal_first_frame_probe PRIVATE ${CMAKE_DL_LIBS})
add_dependencies(vexal_bench vexal vexal_first_frame_probe levels assets fonts)

# A few frames of the screens at one size, the entry and the first frame: the
# bench still runs, finds its screens and draws without a failed call. (The
# idle figure waits out the splash, the 10,000-object level is slow to build.)
set(VEXAL_BENCH_SMOKE_FIGURES --figure=screens --figure=entry)
if(NOT VEXAL_SANITIZE)
  list(APPEND VEXAL_BENCH_SMOKE_FIGURES --figure=first-frame)
endif()
add_test(NAME bench_smoke
  COMMAND vexal_bench --frames=3 --warmup=2 --repeats=1 --launches=1 --size=1280x720
  ${VEXAL_BENCH_SMOKE_FIGURES})
set_tests_properties(bench_smoke PROPERTIES TIMEOUT 120 ENVIRONMENT "${VEXAL_TEST_ENVIRONMENT}")
