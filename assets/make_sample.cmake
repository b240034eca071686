# Run by the sample_data target.
file(MAKE_DIRECTORY ${BIN_DIR}/data)
file(COPY ${SAMPLE_DIR}/资料 DESTINATION ${BIN_DIR})
if(NOT EXISTS ${BIN_DIR}/tvurl.dat)
    execute_process(
        COMMAND ${MAKE_CATALOGUE} ${BIN_DIR}/tvurl.dat
            ${SAMPLE_DIR}/sheng.csv ${SAMPLE_DIR}/diqu.csv ${SAMPLE_DIR}/diantai.csv
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "make_catalogue failed")
    endif()
endif()
if(NOT EXISTS ${BIN_DIR}/data/com.mdb)
    execute_process(
        COMMAND ${MAKE_DIRECTORY} ${BIN_DIR}/data/com.mdb ${SAMPLE_DIR}/cominfo.csv
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "make_directory failed")
    endif()
endif()
