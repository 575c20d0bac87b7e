# Writes OUTPUT, the web page, from TEMPLATE: the setup dialog's banner BANNER goes in as a
# data address (the site holds the page, the program and its data alone), VERSION as text.
execute_process(COMMAND base64 -w 0 ${BANNER} OUTPUT_VARIABLE BANNER_DATA RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read ${BANNER}")
endif()
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
