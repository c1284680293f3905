# The settings reader and writer and the server line scanner: plain code, no display.
target_link_libraries(fuzz_settings PRIVATE browser query net)
