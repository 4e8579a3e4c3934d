# The browser test renders pages with a helper that reads PNG files.
target_compile_definitions(export_html_browser_test PRIVATE
  VORN_PNG_PIXELS="${CMAKE_CURRENT_SOURCE_DIR}/export/png_pixels.py")
