# Frames of the bar tests, once more under Xvfb, leave pictures in the build directory:
# bars_screenshot.png (menu bar, toolbars, status bar) and tabs_screenshot.png (a tab group
# and an auto-hide strip with its bar slid out).
if(TARGET uiframework_bars_tools_tests)
    add_test(NAME uiframework_bars_tools_screenshot
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screenshot.sh
            $<TARGET_FILE:uiframework_bars_tools_tests> ${CMAKE_BINARY_DIR})
    set_tests_properties(uiframework_bars_tools_screenshot PROPERTIES TIMEOUT 240
        SKIP_RETURN_CODE 77 RESOURCE_LOCK x11_prefix)
endif()
if(TARGET uiframework_bars_tabs_tests)
    add_test(NAME uiframework_bars_tabs_screenshot
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screenshot.sh
            $<TARGET_FILE:uiframework_bars_tabs_tests> ${CMAKE_BINARY_DIR}
            "UiBarsTest.FrameWithTabGroupAndAutoHideStrip" tabs_screenshot)
    set_tests_properties(uiframework_bars_tabs_screenshot PROPERTIES TIMEOUT 240
        SKIP_RETURN_CODE 77 RESOURCE_LOCK x11_prefix)
endif()
