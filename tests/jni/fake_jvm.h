// A stand-in for the JVM behind makeGraph, for targets without one: Java
// objects of the few kinds the bridge meets, local references it counts,
// and a check of every call the bridge makes through the function table.
// Only the slots the bridge may use are filled; any other call crashes.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "graph_api.h"

namespace fakejvm {

using namespace brdjni;

constexpr jint kUnset = INT32_MIN;

struct JObj {
    enum Kind { List, Node, Map, Set, Iter, Entry, String, Class, Other } kind;
    explicit JObj(Kind k) : kind(k) {}
    std::string text;             // Node: identifier; String: its bytes; Class: name
    bool hasId = true;            // Node: false makes getId return null
    std::vector<JObj *> items;    // List: elements; Node: predecessor values
    std::vector<JObj *> succ;     // Node: successor values
    const std::vector<JObj *> *walk = nullptr; // Map, Set, Iter: the values walked
    size_t pos = 0;               // Iter: next value
    JObj *value = nullptr;        // Entry
    bool bare = false;            // Node, Class: no getPrev, getNext or y
    jint x = kUnset, y = kUnset;  // Node
};

class World {
public:
    World();

    // Objects of the Java side, owned by the world.
    JObj *Node(const std::string &id);
    JObj *List(const std::vector<JObj *> &elements);
    static void Link(JObj *from, JObj *to); // to names from as predecessor

    // Calls makeGraph with a fresh receiver and list reference and checks
    // what every call must leave: no violation, no reference but the
    // receiver, every string released, never more live references than
    // reserved.
    jint MakeGraph(JObj *list);

    // Set-up of failures: the nth call (counted from 1 over the whole
    // world) of the method throws; "Class.method" names a method the
    // classes lack; the JVM refuses to reserve local references.
    std::string throwMethod;
    int throwAt = 0;
    std::set<std::string> missing;
    bool refuseCapacity = false;

    // What the last call left.
    bool pending = false;
    std::vector<std::string> violations;
    size_t maxLive = 0;
    jint capacity = -1;
    std::map<std::string, int> calls;

    // Used by the function table.
    JObj *New(JObj::Kind kind);
    jobject NewRef(JObj *obj);
    JObj *Deref(jobject ref, const char *function);
    void Delete(jobject ref);
    void Violation(const std::string &what) { violations.push_back(what); }
    void NotPending(const char *function);
    bool Throws(const char *method);
    size_t Live() const { return live_.size(); }
    int outstandingChars = 0;
    bool inCall = false;

    // What a JNIEnv points at: the table, and here also the world.
    struct Env {
        const NativeInterface *table;
        World *world;
    };
    JNIEnv *env() { return &env_.table; }

private:
    struct Ref {
        JObj *obj;
        bool live;
    };
    Env env_;
    std::deque<JObj> objects_;
    std::deque<Ref> refs_;
    std::vector<Ref *> live_; // creation order of the live references
    JObj receiver_{JObj::Other};
};

} // namespace fakejvm
