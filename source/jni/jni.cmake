# The Java bridge: sources added to brindle_core, included from the top level.
target_sources(brindle_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/make_graph.cpp)
target_include_directories(brindle_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})
