# Colour presets and the start-up step that registers defaults and applies the chosen preset.
target_sources(trovia_preferences PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ColorPresets.cpp ${CMAKE_CURRENT_LIST_DIR}/ColorPresets.h)
