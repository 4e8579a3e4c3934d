# The shipped examples live outside tests/data.
target_compile_definitions(report_examples_test PRIVATE VORN_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
