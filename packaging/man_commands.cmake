# Writes a help2man include file with a COMMANDS section: the help of each command that
# `tarnflow --help` lists under "Subcommands:".
#   cmake -DTARNFLOW=<program> -DOUT=<file> -P man_commands.cmake
execute_process(COMMAND ${TARNFLOW} --help OUTPUT_VARIABLE overview RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${TARNFLOW} --help failed (${rc})")
endif()
string(REGEX REPLACE ".*\nSubcommands:\n" "" listing "${overview}")
string(REGEX MATCHALL "(^|\n)  [a-z][a-z0-9-]*" names "${listing}")

# roff: a backslash is written \e, and a line may not start with a dot or a quote.
function(roff_text text out_var)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

set(page "[COMMANDS]\nEach command has its own options; `tarnflow COMMAND --help` prints them.\n")
foreach(name IN LISTS names)
  string(STRIP "${name}" name)
  execute_process(COMMAND ${TARNFLOW} ${name} --help OUTPUT_VARIABLE help RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TARNFLOW} ${name} --help failed (${rc})")
  endif()
  string(REPLACE "${TARNFLOW}" "tarnflow" help "${help}")
  roff_text("${help}" help)
  string(APPEND page ".SS \"tarnflow ${name}\"\n.nf\n${help}\n.fi\n")
endforeach()
file(WRITE "${OUT}.new" "${page}")
file(RENAME "${OUT}.new" "${OUT}")
