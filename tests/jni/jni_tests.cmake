# Tests of the Java bridge, included from tests/CMakeLists.txt.
