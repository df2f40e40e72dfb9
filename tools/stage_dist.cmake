# Copies the installation data kept under dist/ into the staged runtime tree.
# The pictures make_pictures draws at build time are never taken from dist/: a stray copy there
# must not replace them.
foreach(sub web help images)
  if(EXISTS ${SRC}/${sub})
    file(COPY ${SRC}/${sub} DESTINATION ${DST}
         REGEX "/images/[^/]+/[^/]*\\.bmp$" EXCLUDE
         REGEX "/web/images/jlsg\\.gif$" EXCLUDE
         REGEX "/web/images/jc/" EXCLUDE)
  endif()
endforeach()
