# Tests of the Java bridge, included from tests/CMakeLists.txt.

# In-process, on every target: the bridge driven through a stand-in JVM.
target_sources(brindle_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/fake_jvm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/make_graph_test.cpp)

if(WIN32)
  return()
endif()

# On Linux the JDK is at hand: its headers check the bridge's table, and a
# real JVM calls the entry in the built libbrindle.so.
find_package(Java 17 REQUIRED COMPONENTS Development Runtime)
find_path(BRD_JNI_INCLUDE jni.h
  HINTS ${JAVA_HOME}/include /usr/lib/jvm/default-java/include REQUIRED)
target_sources(brindle_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/jni_table_test.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/jni_table_test.cpp PROPERTIES
  INCLUDE_DIRECTORIES "${BRD_JNI_INCLUDE};${BRD_JNI_INCLUDE}/linux")

set(brd_java_sources
  ${PROJECT_SOURCE_DIR}/java/vrk/vane/dao/jni/GraphAPI.java
  ${PROJECT_SOURCE_DIR}/java/vrk/vane/dao/jni/GraphNode.java
  ${CMAKE_CURRENT_LIST_DIR}/MakeGraphCheck.java
  ${CMAKE_CURRENT_LIST_DIR}/MakeGraphBench.java)
set(brd_java_classes ${CMAKE_BINARY_DIR}/java-classes)
add_custom_command(
  OUTPUT ${brd_java_classes}/MakeGraphCheck.class
  COMMAND ${CMAKE_COMMAND} -E make_directory ${brd_java_classes}
  COMMAND ${Java_JAVAC_EXECUTABLE} -Xlint:all -Werror -d ${brd_java_classes} ${brd_java_sources}
  DEPENDS ${brd_java_sources}
  COMMENT "Compiling the Java classes of the bridge")
add_custom_target(brindle_java_classes ALL DEPENDS ${brd_java_classes}/MakeGraphCheck.class)

# A sanitized library inside a JVM: the sanitizer runtime must come first,
# and the JVM's own deliberate faults and its lifetime allocations are not
# ours to report.
set(brd_jvm_env)
if(BRD_SANITIZE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
    OUTPUT_VARIABLE brd_libasan OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(brd_jvm_env LD_PRELOAD=${brd_libasan} ASAN_OPTIONS=detect_leaks=0:handle_segv=0)
endif()
add_test(NAME make_graph_jvm
  COMMAND ${CMAKE_COMMAND} -E env ${brd_jvm_env}
          ${Java_JAVA_EXECUTABLE} -Xcheck:jni -Djava.library.path=$<TARGET_FILE_DIR:brindle>
          -cp ${brd_java_classes} MakeGraphCheck)
# -Xcheck:jni only warns; any warning or fatal report fails the test.
set_tests_properties(make_graph_jvm PROPERTIES
  PASS_REGULAR_EXPRESSION "[0-9]+ passed, 0 failed"
  FAIL_REGULAR_EXPRESSION "WARNING|FATAL|ERROR|Exception in thread")
