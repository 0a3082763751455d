// A CalDAV-like server in memory for the sync engine's tests: ETags, If-Match,
// sync tokens, and hooks to change an object between two requests.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "sync/syncengine.h"

namespace orv::sync::testing {

class MemoryServer : public SyncServer {
public:
    struct Object {
        std::string etag, data;
    };
    std::map<std::string, Object> objects;  // by href
    bool tokens = true;                      // offers sync-collection
    std::function<void(const std::string& href)> beforePut;
    int puts = 0;

    void Set(const std::string& href, std::string data)
    {
        objects[href] = {"\"" + std::to_string(++etags_) + "\"", std::move(data)};
        log_.push_back({href, ++version_});
    }
    void Erase(const std::string& href)
    {
        objects.erase(href);
        log_.push_back({href, ++version_});
    }
    std::size_t Count(const std::string& collection) const
    {
        std::size_t n = 0;
        for (const auto& [href, o] : objects) n += href.rfind(collection, 0) == 0;
        return n;
    }

    Listing List(const std::string& collection) override
    {
        Listing l;
        for (const auto& [href, o] : objects)
            if (href.rfind(collection, 0) == 0) l.items.emplace_back(href, o.etag);
        if (tokens) l.token = std::to_string(version_);
        return l;
    }
    Listing Changes(const std::string& collection, const std::string& token) override
    {
        Listing l;
        if (!tokens) return {false, "no tokens", true, {}, {}, {}};
        const long since = std::stol(token);
        std::map<std::string, bool> seen;
        for (const auto& [href, v] : log_)
            if (v > since && href.rfind(collection, 0) == 0) seen[href] = objects.count(href) != 0;
        for (const auto& [href, present] : seen) {
            if (present) l.items.emplace_back(href, objects[href].etag);
            else l.removed.push_back(href);
        }
        l.token = std::to_string(version_);
        return l;
    }
    Fetched Fetch(const std::string&, const std::vector<std::string>& hrefs, bool) override
    {
        Fetched f;
        for (const auto& h : hrefs)
            if (const auto it = objects.find(h); it != objects.end()) f.items.push_back({h, it->second.etag, it->second.data});
        return f;
    }
    Written Put(const std::string& href, const std::string& data, bool, const std::string& ifMatch) override
    {
        if (beforePut) beforePut(href);
        const auto it = objects.find(href);
        if (ifMatch.empty() ? it != objects.end() : (it == objects.end() || it->second.etag != ifMatch))
            return {Written::Outcome::Conflict, {}, "412"};
        ++puts;
        Set(href, data);
        return {Written::Outcome::Ok, objects[href].etag, {}};
    }
    Written Remove(const std::string& href, const std::string& ifMatch) override
    {
        const auto it = objects.find(href);
        if (it == objects.end()) return {};
        if (!ifMatch.empty() && it->second.etag != ifMatch) return {Written::Outcome::Conflict, {}, "412"};
        Erase(href);
        return {};
    }

private:
    long etags_ = 0, version_ = 0;
    std::vector<std::pair<std::string, long>> log_;
};

}  // namespace orv::sync::testing
