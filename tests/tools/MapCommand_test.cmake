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
