# The serial link's dialogs and its wiring into the main window, with their Qt Test on the offscreen platform.
# Included from the top-level CMakeLists.txt when TERVAN_GUI is on.
add_library(tervan_serial_gui STATIC
  ${CMAKE_SOURCE_DIR}/app/com_properties_dialog.cpp
  ${CMAKE_SOURCE_DIR}/app/send_dialog.cpp
  ${CMAKE_SOURCE_DIR}/app/serial_link.cpp
)
target_link_libraries(tervan_serial_gui PUBLIC tervan_core Qt6::Widgets)

add_executable(tervan_serial_dialogs_test
  ${CMAKE_SOURCE_DIR}/tests/serial_dialogs_test.cpp
  ${CMAKE_SOURCE_DIR}/tests/serial_test_util.cpp
  ${CMAKE_SOURCE_DIR}/tests/test_util.cpp
)
target_link_libraries(tervan_serial_dialogs_test PRIVATE tervan_serial_gui Qt6::Test util)
target_compile_definitions(tervan_serial_dialogs_test PRIVATE TERVAN_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data")
add_test(NAME serial_dialogs COMMAND tervan_serial_dialogs_test)
set_tests_properties(serial_dialogs PROPERTIES TIMEOUT 60 ENVIRONMENT QT_QPA_PLATFORM=offscreen)
