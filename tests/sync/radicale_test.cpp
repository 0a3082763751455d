// The fixture itself: the server comes up on its port, knows its users and
// their passwords, and leaves nothing behind.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>

#include "radicale.h"

namespace orv::testing_support {
namespace {

// The status code of a PROPFIND of "/" over plain HTTP/1.0, 0 when none came.
int PropfindStatus(int port, const std::string& basicCredentials)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return 0;
    }
    std::string request = "PROPFIND / HTTP/1.0\r\nDepth: 0\r\nContent-Length: 0\r\n";
    if (!basicCredentials.empty()) request += "Authorization: Basic " + basicCredentials + "\r\n";
    request += "\r\n";
    (void)!::write(fd, request.data(), request.size());
    char head[64] = {};
    const ssize_t n = ::read(fd, head, sizeof head - 1);
    ::close(fd);
    int status = 0;
    if (n > 12 && std::sscanf(head, "HTTP/%*s %d", &status) == 1) return status;
    return 0;
}

TEST(RadicaleFixture, AnswersItsUsersOnlyAndCleansUp)
{
    std::string folder;
    int port = 0;
    {
        Radicale server;
        ASSERT_TRUE(server.Running()) << server.Error();
        folder = server.Folder();
        port = server.Port();
        EXPECT_EQ(server.Url(), "http://127.0.0.1:" + std::to_string(port));
        EXPECT_EQ(PropfindStatus(port, ""), 401);
        EXPECT_EQ(PropfindStatus(port, "YWxpY2U6c2VjcmV0"), 207);  // alice:secret
        EXPECT_EQ(PropfindStatus(port, "Ym9iOmh1bnRlcjI="), 207);  // bob:hunter2
        EXPECT_EQ(PropfindStatus(port, "YWxpY2U6aHVudGVyMg=="), 401);  // alice:hunter2
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(PropfindStatus(port, "YWxpY2U6c2VjcmV0"), 0);
}

}  // namespace
}  // namespace orv::testing_support
