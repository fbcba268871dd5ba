# The Windows build's tests, run under wine on the build machine (make
# test-windows): tervan_tests.exe (the serial tests against port_win32.cpp
# over COM12 and COM13, a linked pair of pseudo-terminals), every example
# converted by the tervan-cli.exe of dist/tervan-windows.zip and compared
# byte for byte with the Linux build's conversion, tervan.exe's window
# under Xvfb, receiving and sending on the COM pair too, and the installer
# of dist/ run silently, its programs used, and removed.
set(TERVAN_LINUX_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "The Linux build whose tervan-cli the Windows one is compared with")
set(wine_prefix ${CMAKE_BINARY_DIR}/wine)
set(wine ${CMAKE_COMMAND} -E env WINEPREFIX=${wine_prefix} ${CMAKE_CURRENT_LIST_DIR}/wine.sh)
set_target_properties(tervan_tests PROPERTIES CROSSCOMPILING_EMULATOR "${wine}")

add_test(NAME wine_start COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh start ${wine_prefix})
add_test(NAME wine_stop COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-session.sh stop ${wine_prefix})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine)

# The tests on the COM pair take turns; the others run side by side.
set(serial_suites "SerialPort.*:Sender.*:Receiver.*:CliSerial.*:DeskSerial.*")
gtest_discover_tests(tervan_tests TEST_FILTER "-${serial_suites}" DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED wine)
gtest_discover_tests(tervan_tests TEST_FILTER "${serial_suites}" DISCOVERY_TIMEOUT 120
  PROPERTIES TIMEOUT 120 FIXTURES_REQUIRED wine RESOURCE_LOCK com_pair
  ENVIRONMENT TERVAN_TEST_COM_PAIR=COM12,COM13)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME windows_examples
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/compare_examples.py
    --linux-cli ${TERVAN_LINUX_BUILD}/bin/tervan-cli --zip ${CMAKE_SOURCE_DIR}/dist/tervan-windows.zip
    --examples ${CMAKE_SOURCE_DIR}/examples --work ${CMAKE_BINARY_DIR}/compare --wine ${CMAKE_CURRENT_LIST_DIR}/wine.sh
    --prefix ${wine_prefix})
add_test(NAME windows_window
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/window_test.py
    --program $<TARGET_FILE:tervan> --cli $<TARGET_FILE:tervan-cli> --examples ${CMAKE_SOURCE_DIR}/examples
    --resources ${CMAKE_SOURCE_DIR}/resources --work ${CMAKE_BINARY_DIR}/window
    --screenshot ${CMAKE_BINARY_DIR}/screenshots/main-window.png --wine ${CMAKE_CURRENT_LIST_DIR}/wine.sh
    --prefix ${wine_prefix})
# The installer of make windows: installed, used, upgraded and uninstalled.
add_test(NAME windows_installer
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/installer_test.py
    --setup ${CMAKE_SOURCE_DIR}/dist/tervan-windows-setup.exe --linux-cli ${TERVAN_LINUX_BUILD}/bin/tervan-cli
    --examples ${CMAKE_SOURCE_DIR}/examples --work ${CMAKE_BINARY_DIR}/installer --wine ${CMAKE_CURRENT_LIST_DIR}/wine.sh
    --prefix ${wine_prefix} --screenshot ${CMAKE_BINARY_DIR}/screenshots/install.png)
set_tests_properties(windows_examples windows_window PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED wine)
set_tests_properties(windows_installer PROPERTIES TIMEOUT 600 FIXTURES_REQUIRED wine)
# The window receives and sends on COM12; the tests that end a tervan.exe
# left running take turns.
set_tests_properties(windows_window PROPERTIES RESOURCE_LOCK "com_pair;tervan_exe")
set_tests_properties(windows_installer PROPERTIES RESOURCE_LOCK tervan_exe)
