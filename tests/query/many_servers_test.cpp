// many_servers_test.cpp - hundreds of fake servers answering queries that run side by side,
// as the query engine runs them.
#include "query/server.h"
#include "tests/query/query_driver.h"
#include "tests/support/fake_game_server.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

TEST(ManyServersTest, QueriesRunSideBySide)
{
    const int count = 300;
    std::vector<std::unique_ptr<FakeGameServer>> fakes;
    std::vector<Server> servers(count);
    for (int i = 0; i < count; i++) {
        FakeGameScript game;
        game.hostName = "server " + std::to_string(i);
        game.rules = {{"deathmatch", std::to_string(i % 3)}};
        game.players = {{"p" + std::to_string(i)}};
        game.dropFirst = i % 2;     // half of them need a resend
        fakes.push_back(std::make_unique<FakeGameServer>(game));
        ASSERT_TRUE(fakes.back()->Start());
        servers[i].SetHost(fakes.back()->HostText().c_str());
    }
    int before = Server::NumConnections();
    ServerQueryInfo info = Asking(true, true);
    for (Server &server : servers)
        ASSERT_TRUE(server.Query(info));
    EXPECT_EQ(Server::NumConnections(), before + count);

    // One wait over every open socket; on a silence every waiting server is asked again.
    // The fakes' thread may run late on a busy machine: until each fake has answered what
    // reached it, nothing is silent.
    auto allIdle = [&fakes] {
        return std::all_of(fakes.begin(), fakes.end(), [](auto &fake) { return fake->Idle(); });
    };
    for (int rounds = 0; Server::NumConnections() > before && rounds < 2000; rounds++) {
        std::vector<struct pollfd> fds;
        std::vector<Server *> waiting;
        for (Server &server : servers) {
            if (server.Connected()) {
                fds.push_back({server.Fd(), POLLIN, 0});
                waiting.push_back(&server);
            }
        }
        bool idle = allIdle();      // before the wait: what they answered, it then sees
        int ready = poll(fds.data(), fds.size(), 100);
        if (ready == 0 && !idle)
            continue;
        if (ready == 0) {
            for (Server *server : waiting) {
                if (!server->ReQuery(info))
                    server->Close();
            }
            continue;
        }
        for (size_t i = 0; i < fds.size(); i++) {
            if (fds[i].revents & POLLIN)
                waiting[i]->HandleMessage();
        }
    }
    EXPECT_EQ(Server::NumConnections(), before);
    for (int i = 0; i < count; i++) {
        SCOPED_TRACE(i);
        EXPECT_FALSE(servers[i].mDown);
        EXPECT_EQ(servers[i].mName, "server " + std::to_string(i));
        ASSERT_EQ(servers[i].mRules.size(), 1u);
        EXPECT_EQ(servers[i].mRules[0].mValue, std::to_string(i % 3));
        ASSERT_EQ(servers[i].mPlayers.size(), 1u);
        EXPECT_EQ(servers[i].mPlayers[0].mName, "p" + std::to_string(i));
    }
}
