#pragma once

#include "core/connection.h"

// The connection for one operation: opened here and closed at the end of the scope, unless the
// caller has it open already (a save running its writes in one transaction), which keeps it.
class OwnConnection {
public:
    OwnConnection() : own_(!gConn.isOpen()) {
        if (own_) openConnection();
    }
    ~OwnConnection() {
        if (own_) closeConnection();
    }
    OwnConnection(const OwnConnection&) = delete;
    OwnConnection& operator=(const OwnConnection&) = delete;

private:
    bool own_;
};
