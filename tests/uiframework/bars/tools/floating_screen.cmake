# The floating frames under real input once more under Xvfb with Wine's X11 driver, which
# raises an activated frame by itself.
if(TARGET uiframework_bars_tools_tests)
    add_test(NAME uiframework_bars_tools_floating_screen
        COMMAND bash ${CMAKE_SOURCE_DIR}/tests/uiframework/foundation/screen_tests.sh
            $<TARGET_FILE:uiframework_bars_tools_tests> ${CMAKE_BINARY_DIR} "FloatingInput*")
    set_tests_properties(uiframework_bars_tools_floating_screen PROPERTIES TIMEOUT 300
        SKIP_RETURN_CODE 77 RESOURCE_LOCK x11_prefix)
endif()
