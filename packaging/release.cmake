# Run by CPack after it has made a package: puts the package in the folder
# of the release's files, CPACK_SCORE_RANK_RELEASE_DIR, beside the source
# tarball (git archive of the commit, without debian/, as the Debian source
# package's orig tarball is), then writes there the winget and Scoop
# manifests where the package is the Windows zip, and SHA256SUMS of the
# release's packages and tarball there.

set(dir ${CPACK_SCORE_RANK_RELEASE_DIR})
set(version ${CPACK_PACKAGE_VERSION})
file(MAKE_DIRECTORY ${dir})
file(COPY ${CPACK_PACKAGE_FILES} DESTINATION ${dir})

set(source score-rank-${version})
execute_process(
  COMMAND git -C ${CPACK_SCORE_RANK_SOURCE_DIR} archive --format=tar.gz
          --prefix=${source}/ -o ${dir}/${source}.tar.gz HEAD -- .
          ":(exclude)debian"
  RESULT_VARIABLE status ERROR_VARIABLE error)
if(NOT status EQUAL 0)
  message(WARNING "No source tarball, as the source is no git work tree: "
          "${error}")
endif()

set(download ${CPACK_SCORE_RANK_RELEASES}/v${version})
foreach(package ${CPACK_PACKAGE_FILES})
  if(package MATCHES "\\.zip$")
    get_filename_component(zip ${package} NAME)
    file(SHA256 ${package} hash_lower)
    string(TOUPPER ${hash_lower} hash)
    set(templates ${CPACK_SCORE_RANK_SOURCE_DIR}/packaging)
    file(GLOB manifests RELATIVE ${templates}/winget ${templates}/winget/*.in)
    foreach(manifest ${manifests})
      string(REGEX REPLACE "\\.in$" "" name ${manifest})
      configure_file(${templates}/winget/${manifest} ${dir}/winget/${name}
                     @ONLY)
    endforeach()
    configure_file(${templates}/score-rank.json.in ${dir}/score-rank.json
                   @ONLY)
  endif()
endforeach()

file(GLOB files RELATIVE ${dir} ${dir}/*_${version}_*.deb
     ${dir}/*-${version}-*.zip ${dir}/*-${version}.tar.gz)
list(SORT files)
set(sums "")
foreach(file ${files})
  file(SHA256 ${dir}/${file} hash)
  string(APPEND sums "${hash}  ${file}\n")
endforeach()
file(WRITE ${dir}/SHA256SUMS "${sums}")
