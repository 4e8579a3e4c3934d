# The hostile-input tests check every outcome with the fuzz targets' structural checks.
foreach(target robustness_hostile_inputs_test robustness_hostile_daf_tables_test)
  target_link_libraries(${target} PRIVATE vorn_outcome_checks)
endforeach()
