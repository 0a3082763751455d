// The sync engine's server over WebDAV: CalDAV and CardDAV collections
// reached through DavClient.
#pragma once

#include "sync/davclient.h"
#include "sync/syncengine.h"

namespace orv::sync {

class DavServer : public SyncServer {
public:
    explicit DavServer(DavClient& client) : client_(client) {}

    Listing List(const std::string& collection) override;
    Listing Changes(const std::string& collection, const std::string& token) override;
    Fetched Fetch(const std::string& collection, const std::vector<std::string>& hrefs, bool calendar) override;
    Written Put(const std::string& href, const std::string& data, bool calendar, const std::string& ifMatch) override;
    Written Remove(const std::string& href, const std::string& ifMatch) override;

private:
    DavClient& client_;
};

}  // namespace orv::sync
