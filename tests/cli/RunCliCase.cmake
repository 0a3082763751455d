# Runs orv-cli on a sample data folder and compares stdout, stderr and the exit
# status with the files beside the case. ORV_UPDATE_GOLDEN=1 rewrites them.
#   -DCLI=orv-cli -DSAMPLE=<data folder> -DCASE=<expected/name> -DWORK=<scratch dir>
# One argument per line; bash keeps empty lines as empty arguments.
# Standard output goes through a file and is compared byte for byte: CMake's
# text reading drops the CR of CR LF lines, which some commands print on purpose.
get_filename_component(case_file_name "${CASE}" NAME)
get_filename_component(sample_dir_name "${SAMPLE}" NAME)
file(MAKE_DIRECTORY "${WORK}")
set(stdout_file "${WORK}/${sample_dir_name}.${case_file_name}.stdout")
execute_process(
  COMMAND bash -c "mapfile -t args < \"$1\"; shift; exec \"$@\" \"\${args[@]}\"" run "${CASE}.args"
          ${CLI} --data-folder ${SAMPLE} --settings-file ${SAMPLE}/settings.reg
  OUTPUT_FILE "${stdout_file}" ERROR_VARIABLE err RESULT_VARIABLE status)
file(READ "${stdout_file}" out HEX)
# Messages name files by their path; make them independent of the checkout.
string(REPLACE "${SAMPLE}/" "DATA/" err "${err}")

if(DEFINED ENV{ORV_UPDATE_GOLDEN})
  file(COPY_FILE "${stdout_file}" "${CASE}.out")
  if(err STREQUAL "")
    file(REMOVE "${CASE}.err")
  else()
    file(WRITE "${CASE}.err" "${err}")
  endif()
  if(status EQUAL 0)
    file(REMOVE "${CASE}.status")
  else()
    file(WRITE "${CASE}.status" "${status}\n")
  endif()
  return()
endif()

set(expected_status 0)
if(EXISTS "${CASE}.status")
  file(STRINGS "${CASE}.status" expected_status LIMIT_COUNT 1)
endif()
set(expected_err "")
if(EXISTS "${CASE}.err")
  file(READ "${CASE}.err" expected_err)
endif()
file(READ "${CASE}.out" expected_out HEX)

set(failed FALSE)
if(NOT status STREQUAL expected_status)
  message(SEND_ERROR "exit status ${status}, expected ${expected_status}")
  set(failed TRUE)
endif()
foreach(stream out err)
  if(NOT "${${stream}}" STREQUAL "${expected_${stream}}")
    get_filename_component(name "${CASE}" NAME)
    if(stream STREQUAL "out")
      file(COPY_FILE "${stdout_file}" "${WORK}/${name}.actual.out")
    else()
      file(WRITE "${WORK}/${name}.actual.${stream}" "${${stream}}")
    endif()
    set(expected_file "${CASE}.${stream}")
    if(NOT EXISTS "${expected_file}")
      set(expected_file /dev/null)
    endif()
    execute_process(COMMAND diff -u "${expected_file}" "${WORK}/${name}.actual.${stream}" OUTPUT_VARIABLE d)
    message(SEND_ERROR "std${stream} differs:\n${d}")
    set(failed TRUE)
  endif()
endforeach()
