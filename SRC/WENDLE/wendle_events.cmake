# The event message file wendle.dll: a message table with a text for every
# event identifier the recorder reports (0-999, the recorded line as the one
# insertion string) and the text of its category 3800. It holds no code.
set(mc ${CMAKE_CURRENT_BINARY_DIR}/wendle_events.mc)
set(text "MessageIdTypedef=DWORD\nLanguageNames=(English=0x409:MSG00409)\n\n")
foreach(id RANGE 0 999)
  # %0 ends the text without a line end: the line brings its own.
  string(APPEND text "MessageId=${id}\nLanguage=English\n%1%0\n.\n\n")
endforeach()
string(APPEND text "MessageId=3800\nLanguage=English\nvrk recorder%0\n.\n")
file(WRITE ${mc}.new "${text}")
file(COPY_FILE ${mc}.new ${mc} ONLY_IF_DIFFERENT)

string(REPLACE "windres" "windmc" WENDLE_WINDMC "${CMAKE_RC_COMPILER}")
set(events_dir ${CMAKE_CURRENT_BINARY_DIR}/events)
add_custom_command(
  OUTPUT ${events_dir}/wendle_events.rc ${events_dir}/wendle_events_MSG00409.bin
  COMMAND ${CMAKE_COMMAND} -E make_directory ${events_dir}
  COMMAND ${WENDLE_WINDMC} -b -r ${events_dir} -h ${events_dir} ${mc}
  DEPENDS ${mc}
  VERBATIM)
add_custom_command(
  OUTPUT ${events_dir}/wendle_events.o
  COMMAND ${CMAKE_RC_COMPILER} -I ${events_dir} -O coff
          -i ${events_dir}/wendle_events.rc -o ${events_dir}/wendle_events.o
  DEPENDS ${events_dir}/wendle_events.rc ${events_dir}/wendle_events_MSG00409.bin
  VERBATIM)
add_library(wendle_events MODULE ${events_dir}/wendle_events.o)
set_target_properties(wendle_events PROPERTIES
  OUTPUT_NAME wendle PREFIX "" LINKER_LANGUAGE C)
# Resources only: no runtime, no entry point, no imports.
target_link_options(wendle_events PRIVATE -nostdlib -Wl,-e,0)
