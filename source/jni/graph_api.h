// The Java entry: the native method makeGraph of vrk.vane.dao.jni.GraphAPI.
#pragma once

#include "brindle.h"
#include "jni_table.h"

// Local references the bridge may hold at once: 21 at its deepest point
// (writing back a successor: the list, the node, the predecessor map, set
// and iterator, the successor map, set and iterator, the entry and the
// value, each with its class, and one identifier string), plus the
// receiver the JVM passed in. The JVM guarantees only 16 without asking.
constexpr brdjni::jint kMakeGraphLocalRefs = 22;

// Records per AppVerts call: the node and up to 16 predecessors. A node
// with more predecessors is appended in several calls with the same first
// record.
constexpr int kMakeGraphRecords = 17;

extern "C" BRD_EXPORT brdjni::jint BRD_JNICALL
Java_vrk_vane_dao_jni_GraphAPI_makeGraph(brdjni::JNIEnv *env, brdjni::jobject self,
                                         brdjni::jobject nodes);
