#pragma once

#include <memory>
#include <string>
#include <vector>

#include "data_set.h"
#include "site_server.h"

namespace site_test {

// The data set of the repository, loaded once for the whole test program.
const site::DataSet& RepositoryData();
// A fresh copy, for tests that change it.
std::unique_ptr<site::DataSet> LoadRepositoryData();

// What came back over one connection.
struct Reply {
    bool connected = false;
    bool timed_out = false;  // nothing more came within the time limit
    bool reset = false;      // the peer reset the connection
    std::string raw;         // every byte received
    int reads = 0;           // recv calls that returned data
    int status = 0;
    std::string body;        // after the blank line
};

// One GET on 127.0.0.1:port with the given Host header and a target sent byte for byte.
Reply Fetch(int port, const std::string& host, const std::string& target, int timeout_ms = 5000);

// A server on an ephemeral port for the life of the object.
class RunningSite {
public:
    explicit RunningSite(const site::DataSet& data, site::ServerOptions options = {});
    ~RunningSite();
    int port() const { return server_->port(); }
    // Body of a GET, which must answer 200.
    std::string Get(const std::string& host, const std::string& target) const;

private:
    std::unique_ptr<site::SiteServer> server_;
};

inline std::string CityHost(const std::string& label) { return label + ".bus.localhost"; }

}  // namespace site_test
