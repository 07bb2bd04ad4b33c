# Writes OUTPUT as Windows text, with CR LF line ends, so that any Windows
# editor shows it: the text file INPUT, or, with MANDOC set, the manual page
# INPUT as plain text (mandoc's ASCII output without the backspaces it
# overstrikes bold and underlined letters with).
if(MANDOC)
  execute_process(COMMAND ${MANDOC} -T ascii -I os=${OS} ${INPUT}
                  OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${MANDOC} could not format ${INPUT}")
  endif()
  string(ASCII 8 backspace)
  string(REGEX REPLACE ".${backspace}" "" text "${text}")
else()
  file(READ ${INPUT} text)
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
