# Runs a test binary whole, the long runs left out, in two shuffled orders.
foreach(seed 1 2)
  execute_process(COMMAND ${TEST} --gtest_filter=-Soak.* --gtest_shuffle
    --gtest_random_seed=${seed} --gtest_brief=1 RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${TEST} failed in one process, shuffled with seed ${seed}")
  endif()
endforeach()
