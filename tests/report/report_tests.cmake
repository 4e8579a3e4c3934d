# The shipped examples live outside tests/data; two test programs also run the vorn program.
target_compile_definitions(report_examples_test PRIVATE VORN_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
add_dependencies(report_examples_test vorn_cli)
add_dependencies(report_runs_test vorn_cli)
