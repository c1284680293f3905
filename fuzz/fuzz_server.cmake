# The query layer, fed datagrams through a real loopback socket.
target_link_libraries(fuzz_server PRIVATE query net)
