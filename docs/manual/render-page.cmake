# Turns one page of the manual from Markdown into a complete HTML page: cmark renders the body,
# links between the pages are pointed at the HTML files, and the page gets the manual's
# frame (title from the first heading, style sheet, a way back to the contents).
# Called as: cmake -DCMARK=... -DSOURCE=page.md -DOUTPUT=page.html -P render-page.cmake
execute_process(COMMAND ${CMARK} --to html ${SOURCE}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cmark could not render ${SOURCE}")
endif()
string(REGEX REPLACE "href=\"([a-z0-9-]+)\\.md\"" "href=\"\\1.html\"" body "${body}")

file(STRINGS ${SOURCE} headings REGEX "^# " LIMIT_COUNT 1 ENCODING UTF-8)
string(REGEX REPLACE "^# +" "" title "${headings}")
get_filename_component(name ${SOURCE} NAME_WE)
if(name STREQUAL "index")
  set(back "")
else()
  set(back "<nav><a href=\"index.html\">← 目次に戻る</a></nav>\n")
  string(APPEND title " — Keiro 操作マニュアル")
endif()

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"ja\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<link rel=\"stylesheet\" href=\"style.css\">
</head>
<body>
${back}<main>
${body}</main>
${back}</body>
</html>
")
