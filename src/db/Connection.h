#pragma once
// The one database connection (to be filled in).
class Connection {
public:
};
