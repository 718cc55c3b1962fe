# The Java bridge: sources added to brindle_core, included from the top level.
target_sources(brindle_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/make_graph.cpp)
target_include_directories(brindle_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})

# The .def file names the Java entry by its 32-bit stdcall name. A 64-bit
# Windows JVM looks for the plain name instead, so the 64-bit DLL is linked
# with a copy of the .def whose Java line exports the plain name. The swap
# has to wait until the brindle target exists, hence the deferred call.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  function(brd_jni_use_plain_java_export)
    set(def ${PROJECT_SOURCE_DIR}/source/brindle.def)
    set(def64 ${PROJECT_BINARY_DIR}/brindle64.def)
    file(READ ${def} text)
    string(REGEX REPLACE "_(Java_[A-Za-z0-9_]+)@[0-9]+[^\n]*" "\\1" text "${text}")
    file(GENERATE OUTPUT ${def64} CONTENT "${text}")
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    get_target_property(sources brindle SOURCES)
    list(TRANSFORM sources REPLACE "^(.*/)?source/brindle\\.def$" "${def64}")
    set_property(TARGET brindle PROPERTY SOURCES ${sources})
  endfunction()
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL brd_jni_use_plain_java_export)
endif()
