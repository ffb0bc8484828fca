# The fast trace renderer against the per-segment reference, and the raster
# itself: Qt-free, built with or without the windows.
add_executable(trace_renderer_identity_test ${CMAKE_CURRENT_LIST_DIR}/trace_renderer_identity_test.cpp)
target_link_libraries(trace_renderer_identity_test PRIVATE ostrevo_plot_raster GTest::gtest_main)
target_include_directories(trace_renderer_identity_test PRIVATE ${PROJECT_SOURCE_DIR}/tests/model)  # the model fakes
gtest_discover_tests(trace_renderer_identity_test DISCOVERY_MODE PRE_TEST)
