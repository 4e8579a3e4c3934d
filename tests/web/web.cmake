# The WebAssembly engine against this program, byte for byte (web/test/*.test.ts).
# scripts/web builds the engine and the tests into build-web/; where it has not run (the web
# group is not installed) each test is skipped with the reason.
find_program(VORN_NODE node)
set(vorn_web_out ${PROJECT_SOURCE_DIR}/build-web)
add_test(NAME web.engine_bytes
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/node_test.sh "${VORN_NODE}" ${vorn_web_out}/test/engine_bytes.test.mjs)
set_tests_properties(web.engine_bytes PROPERTIES
  LABELS "web;external"
  SKIP_RETURN_CODE 77
  TIMEOUT 900
  ENVIRONMENT "VORN_ENGINE=${vorn_web_out}/vorn_engine.js;VORN_CLI=$<TARGET_FILE:vorn_cli>;VORN_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
add_test(NAME web.mc_bytes
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/node_test.sh "${VORN_NODE}" ${vorn_web_out}/test/mc_bytes.test.mjs)
set_tests_properties(web.mc_bytes PROPERTIES
  LABELS "web;external"
  SKIP_RETURN_CODE 77
  TIMEOUT 900
  ENVIRONMENT "VORN_ENGINE=${vorn_web_out}/vorn_engine.js;VORN_CLI=$<TARGET_FILE:vorn_cli>;VORN_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
# The page in Chromium, offline from file://; screenshots in build-web/test-output/browser.
add_test(NAME web.page_browser
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/node_test.sh "${VORN_NODE}" ${vorn_web_out}/test/page_browser.test.mjs)
set_tests_properties(web.page_browser PROPERTIES
  LABELS "web;external"
  SKIP_RETURN_CODE 77
  TIMEOUT 900
  ENVIRONMENT "VORN_PAGE=${vorn_web_out}/vorn.html;VORN_CLI=$<TARGET_FILE:vorn_cli>;VORN_SOURCE_DIR=${PROJECT_SOURCE_DIR};VORN_TEST_OUTPUT=${vorn_web_out}/test-output/browser")
add_test(NAME web.firefox_smoke
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/firefox_smoke.sh ${vorn_web_out}/vorn.html
    ${vorn_web_out}/test-output/firefox/page.png)
set_tests_properties(web.firefox_smoke PROPERTIES LABELS "web;external" SKIP_RETURN_CODE 77 TIMEOUT 300)
add_test(NAME web.human_number
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/node_test.sh "${VORN_NODE}" ${vorn_web_out}/test/human_number.test.mjs)
set_tests_properties(web.human_number PROPERTIES
  LABELS "web;external"
  SKIP_RETURN_CODE 77
  TIMEOUT 300
  ENVIRONMENT "VORN_ENGINE=${vorn_web_out}/vorn_engine.js")
add_test(NAME web.distribution_preview
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/node_test.sh "${VORN_NODE}" ${vorn_web_out}/test/distribution_preview.test.mjs)
set_tests_properties(web.distribution_preview PROPERTIES
  LABELS "web;external"
  SKIP_RETURN_CODE 77
  TIMEOUT 300
  ENVIRONMENT "VORN_ENGINE=${vorn_web_out}/vorn_engine.js")
