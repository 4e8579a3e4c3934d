# Installs the project into a scratch prefix and builds a consumer project against it.
add_test(NAME Install.ConsumerFindsThePackage
  COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${PROJECT_BINARY_DIR}
    -DSOURCE_DIR=${CMAKE_CURRENT_LIST_DIR}/consumer
    -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/install-check
    -DINPUT=${VORN_TEST_DATA}/reference/landfill/VORN.IN
    -DEXPECTED=${VORN_TEST_DATA}/reference/landfill/VORN.OUT
    -P ${CMAKE_CURRENT_LIST_DIR}/consumer/check_install.cmake)
set_tests_properties(Install.ConsumerFindsThePackage PROPERTIES LABELS "api;install" TIMEOUT 300)
