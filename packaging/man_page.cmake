# cmake -DPROGRAM=path -DNAME=hanaki -DSUMMARY=text -DVERSION=x.y.z -DGUIDE=installed-guide.html
#       -DOUTPUT=file.1.gz -P man_page.cmake
# Writes a short manual page around the program's own --help text, gzipped
# as Debian ships manual pages.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${result}")
endif()
# The folder that hanaki's help ends with is the one of the build; an
# installed hanaki uses the user's.
string(REGEX REPLACE "\n(データフォルダ:)[^\n]*\n?$" "\n\\1 $XDG_DATA_HOME/hanaki（既定は ~/.local/share/hanaki）\n"
       help "${help}")
# roff: a backslash is written \e; a line must not start with a control character.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER ${NAME} title)
file(WRITE ${OUTPUT}.roff ".TH ${title} 1 2026-12-07 \"${NAME} ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH DESCRIPTION
.nf
${help}.fi
.SH SEE ALSO
The user guide, in Japanese, for a web browser: ${GUIDE}
")
execute_process(COMMAND gzip -9nf ${OUTPUT}.roff)
file(RENAME ${OUTPUT}.roff.gz ${OUTPUT})
