# A private PostgreSQL cluster for the suites that need a class's database
# (scripts/class-cluster.sh). CTest starts it before the first such suite and
# stops it after the last, whether the run is ./test, `ctest -R tst_x` or
# `ctest -L class`; a cluster left by a killed run is stopped by the next start.
# Its connection (PGHOST, PGPORT, PGUSER, PGPASSWORD, PGDATABASE, one
# NAME=value a line) is in the file WW_CLASS_CLUSTER_ENV names.
set(WW_CLASS_CLUSTER_ENV ${PROJECT_BINARY_DIR}/class-cluster.env)
set(WW_CLASS_CLUSTER_SH ${PROJECT_SOURCE_DIR}/scripts/class-cluster.sh)

# ww_class_test(<test>): <test>, added already, runs with the cluster up and
# finds it through WW_CLASS_CLUSTER_ENV; WW_CLASS_SERVER is scripts/class-server,
# which makes its classes. Every case makes a class and roles of its own names,
# but one stops the server mid-send: the class suites take the cluster in
# turn (other suites run beside them).
function(ww_class_test name)
  if(NOT WW_TESTS OR WW_FUZZ)
    return()
  endif()
  set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED ClassCluster)
  set_property(TEST ${name} APPEND PROPERTY LABELS class)
  set_property(TEST ${name} APPEND PROPERTY RESOURCE_LOCK ClassCluster)
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT
               WW_CLASS_CLUSTER_ENV=${WW_CLASS_CLUSTER_ENV}
               WW_CLASS_SERVER=${PROJECT_SOURCE_DIR}/scripts/class-server)
endfunction()

if(NOT WW_TESTS OR WW_FUZZ)
  return()
endif()

add_test(NAME class_cluster_start
         COMMAND bash -c [[source "$1" && { [ ! -f "$2" ] || class_cluster_stop "$2"; } && class_cluster_start "$2"]]
                 _ ${WW_CLASS_CLUSTER_SH} ${WW_CLASS_CLUSTER_ENV})
add_test(NAME class_cluster_stop
         COMMAND bash -c [[source "$1" && { [ ! -f "$2" ] || class_cluster_stop "$2"; } && rm -f "$2"]]
                 _ ${WW_CLASS_CLUSTER_SH} ${WW_CLASS_CLUSTER_ENV})
set_tests_properties(class_cluster_start PROPERTIES FIXTURES_SETUP ClassCluster LABELS class TIMEOUT 120)
set_tests_properties(class_cluster_stop PROPERTIES FIXTURES_CLEANUP ClassCluster LABELS class TIMEOUT 120)

# What the server lets each member do, tried with their own logins.
add_test(NAME class_security COMMAND ${PROJECT_SOURCE_DIR}/scripts/tests/class_security.sh)
set_tests_properties(class_security PROPERTIES TIMEOUT 120)
ww_class_test(class_security)
