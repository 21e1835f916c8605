# tralvex map: the range map of a directory's Tralvex.ini.
include(${CMAKE_CURRENT_LIST_DIR}/ToolTestHelpers.cmake)

run_tool(0 out err map ${EXAMPLES})
expect_match("${out}" "^Range map of .*Tralvex.ini\n" "map")
expect_match("${out}" "\n  00000000\\.\\.00000FFF  QelError.msg +39  \\[#\\.##\\.+\\]\n" "first range")
# CMake's expressions have no counted repetition.
string(REPEAT "\\." 31 dots)
expect_match("${out}" "\n  00001000\\.\\.00001FFF  Notes-en.msg +7  \\[#${dots}\\]\n" "second range")
expect_match("${out}" "\n  00003000\\.\\.FFFFFFFF  no file\n$" "no file above")

# Keywords in any order give the same ranges; an equal bound hides the later
# keyword; messages outside a range are sent elsewhere.
file(MAKE_DIRECTORY ${WORK}/app)
file(WRITE ${WORK}/app/A.msg "[Main]\r\n0: zero\r\nFF: last\r\n100: outside\r\n")
file(WRITE ${WORK}/app/B.msg "[Main]\r\n1FF: b\r\n")
file(WRITE ${WORK}/app/Tralvex.ini "[MessageFiles]\r\nSecond-1FF=B.msg\r\nFirst-0FF=A.msg\r\nAgain-1FF=A.msg\r\nLabel=A.msg\r\n")
run_tool(0 out err map ${WORK}/app)
expect_match("${out}" "  00000000\\.\\.000000FF  A.msg +2  \\[#\\.+#\\]\n      1 message\\(s\\) outside the range, from 0x100, sent to B.msg\n  00000100\\.\\.000001FF  B.msg +1  \\[\\.+#\\]\n  00000100\\.\\.000001FF  A.msg +hidden behind Second-1FF: never opened\n  00000200\\.\\.FFFFFFFF  no file\n  skipped Label \\(line 5\\): no \"-\" before a last number\n$" "ordered ranges")

run_tool(0 out err map --format=json ${WORK}/app)
expect_match("${out}" "\"ranges\": \\[\n  \\{\"keyword\": \"First-0FF\", \"file\": \"A.msg\"" "json order")
expect_match("${out}" "\"hiddenBehind\": \"Second-1FF\"" "json hidden")
expect_match("${out}" "\"skipped\": \\[\n  \\{\"keyword\": \"Label\", \"value\": \"A.msg\", \"line\": 5" "json skipped")

# One usable keyword: once open, its file serves every number.
file(MAKE_DIRECTORY ${WORK}/single)
file(WRITE ${WORK}/single/A.msg "[Main]\r\n10: ten\r\n500: far\r\n")
file(WRITE ${WORK}/single/Tralvex.ini "[MessageFiles]\r\nOnly-0FF=A.msg\r\n")
run_tool(0 out err map ${WORK}/single)
expect_match("${out}" "one usable keyword: once open, A.msg serves every number" "single file")

# Nothing usable, or nothing to read.
file(MAKE_DIRECTORY ${WORK}/none)
file(WRITE ${WORK}/none/Tralvex.ini "[MessageFiles]\r\nX-0=missing.msg\r\n")
run_tool(1 out err map ${WORK}/none)
expect_match("${out}" "skipped X-0 \\(line 2\\): the file does not exist" "nothing usable")
run_tool(1 out err map ${EXAMPLES}/broken)
expect_match("${out}" "Broken.msg +the library would not open it: error 0143" "a file the library refuses")
run_tool(2 out err map ${WORK})
expect_match("${err}" "no Tralvex.ini in " "no settings file")
run_tool(2 out err map ${EXAMPLES}/Notes-en.msg)
expect_match("${err}" "not a directory" "a file")
run_tool(2 out err map)
run_tool(0 out err map --help)
expect_match("${out}" "^usage: tralvex map" "help")

# A settings file that cannot be read is an input failure, with its reason;
# one in lower case is found, as the context finds it.
foreach(case dir utf16 lower loop)
  file(MAKE_DIRECTORY ${WORK}/${case})
  file(WRITE ${WORK}/${case}/A.msg "[Main]\r\n10: ten\r\n")
endforeach()
file(MAKE_DIRECTORY ${WORK}/dir/Tralvex.ini)
string(ASCII 255 254 bom)
file(WRITE ${WORK}/utf16/Tralvex.ini "${bom}[")
file(WRITE ${WORK}/lower/tralvex.ini "[MessageFiles]\r\nA-0FF=a.MSG\r\n")
file(CREATE_LINK Tralvex.ini ${WORK}/loop/Tralvex.ini SYMBOLIC)
run_tool(2 out err map ${WORK}/dir)
expect_match("${err}" "dir/Tralvex.ini is a directory, not a file" "directory")
run_tool(2 out err map ${WORK}/utf16)
expect_match("${err}" "utf16/Tralvex.ini is UTF-16 text" "UTF-16")
run_tool(2 out err map ${WORK}/loop)
expect_match("${err}" "loop/Tralvex.ini cannot be examined: Too many levels of symbolic links \\(error 0120" "link loop")
run_tool(0 out err map ${WORK}/lower)
expect_match("${out}" "  00000000\\.\\.000000FF  a.MSG +1  \\[" "lower case")

# The file the library reads for a value: ".MSG" added to a name without
# extension, backslashes as separators.
file(MAKE_DIRECTORY ${WORK}/values/sub)
file(WRITE ${WORK}/values/sub/Texts "[Main]\r\n1: not read\r\n")
file(WRITE ${WORK}/values/sub/Texts.msg "[Main]\r\n1: read\r\n2: read\r\n")
file(WRITE ${WORK}/values/Tralvex.ini "[MessageFiles]\r\nTexts-0FF=sub\\Texts\r\n")
run_tool(0 out err map ${WORK}/values)
expect_match("${out}" "  00000000\\.\\.000000FF  sub.Texts +2  \\[" "the library's file")

# 2,000 ranges served by one 2.8 MB file: it is read and parsed once.
file(MAKE_DIRECTORY ${WORK}/shared)
write_with_awk(${WORK}/shared/Big.msg
  "printf \"[Main]\\r\\n\"; for (i = 0; i < 120000; i++) printf \"%X: message number %d\\r\\n\", i, i")
write_with_awk(${WORK}/shared/Tralvex.ini
  "printf \"[MessageFiles]\\r\\n\"; for (i = 1; i <= 2000; i++) printf \"K%d-%X=Big.msg\\r\\n\", i, i * 60")
run_tool(0 out err map --format=json ${WORK}/shared)
string(REGEX MATCHALL "\"inside\": 60," full "${out}")
list(LENGTH full full_count)
if(NOT full_count EQUAL 1998)
  message(SEND_ERROR "${full_count} of the 1998 ranges of 60 messages measured")
endif()

run_tool_redirected(">/dev/full" 2 err map ${EXAMPLES})
expect_match("${err}" "cannot write to standard output: No space left on device" "full disk")
