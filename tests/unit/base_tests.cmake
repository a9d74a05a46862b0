# Unit tests of base/. Include after poko_unit_tests is defined; the target must also
# link poko_base.
target_sources(poko_unit_tests PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/base_number_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/base_search_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/base_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/base_time_format_test.cpp
)
