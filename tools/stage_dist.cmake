# Copies the installation data kept under dist/ into the staged runtime tree.
foreach(sub web help images)
  if(EXISTS ${SRC}/${sub})
    file(COPY ${SRC}/${sub} DESTINATION ${DST})
  endif()
endforeach()
