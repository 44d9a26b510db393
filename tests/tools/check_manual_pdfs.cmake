# Checks the user manuals the build rendered: each PDF exists, is a PDF, and
# has at least MIN_PAGES pages (a manual that lost its chapters, or an empty
# document, falls short).
#   cmake -DPDFS="a.pdf;b.pdf" -DMIN_PAGES=N -P check_manual_pdfs.cmake
foreach(pdf ${PDFS})
  if(NOT EXISTS "${pdf}")
    message(FATAL_ERROR "${pdf} is missing (the manual target builds it)")
  endif()
  file(READ "${pdf}" head LIMIT 5 HEX)
  if(NOT head STREQUAL "255044462d") # %PDF-
    message(FATAL_ERROR "${pdf} does not start with %PDF-")
  endif()
  # The page tree's /Count is the number of pages.
  file(STRINGS "${pdf}" counts REGEX "/Count [0-9]+")
  set(pages 0)
  foreach(line ${counts})
    string(REGEX MATCH "/Count ([0-9]+)" _ "${line}")
    if(CMAKE_MATCH_1 GREATER pages)
      set(pages ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(pages LESS MIN_PAGES)
    message(FATAL_ERROR "${pdf} has ${pages} pages, expected at least ${MIN_PAGES}")
  endif()
  message(STATUS "${pdf}: ${pages} pages")
endforeach()
