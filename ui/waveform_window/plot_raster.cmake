# The raster of the plot and the cursor readout: plain C++ like the model,
# built with or without the Qt windows; shared by the window, the tests and the
# benchmarks.
add_library(ostrevo_plot_raster STATIC
  ${CMAKE_CURRENT_LIST_DIR}/cursor_readout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fast_trace_renderer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plot_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trace_renderer.cpp
)
target_include_directories(ostrevo_plot_raster PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(ostrevo_plot_raster PUBLIC ostrevo_model)
