# Copies the built config.sco and nationality files into the seed folders, when they exist.
file(GLOB tables "${FROM}/*.sco")
file(GLOB nationalities "${FROM}/*.sdf")
if(tables)
  file(COPY ${tables} DESTINATION "${TO}/table")
endif()
if(nationalities)
  file(COPY ${nationalities} DESTINATION "${TO}/nationality")
endif()
