// The Java entry: builds a private graph from the host's node objects, lays
// it out and writes every node's cell back into its int fields x and y.
//
// Everything Java is reached by name and signature through the calling
// thread's function table; method and field identifiers are looked up at
// every use, so nothing ties the library to one set of host classes.
#include <cstring>

#include "graph_api.h"
#include "vert_link.h"

using namespace brdjni;

namespace {

// The state of one call. Once a host method has thrown, the only JNI calls
// still allowed are the ones that release references, so every step below
// turns into a no-op and the call unwinds, releasing what it holds, with
// the exception left pending for the Java caller.
struct Bridge {
    JNIEnv *env;
    bool thrown;

    // A Java call just returned: note whether it threw.
    void Checked() {
        if ((*env)->ExceptionCheck(env)) thrown = true;
    }
};

// One local reference and the class it is used through. The class goes
// first, then the object; holders end in the reverse order of creation on
// every path, C++ scope takes care of that.
class Held {
public:
    Held(Bridge &b, jobject obj, jclass cls) : env_(b.env), obj_(obj), cls_(cls) {}
    ~Held() {
        if (cls_) (*env_)->DeleteLocalRef(env_, cls_);
        if (obj_) (*env_)->DeleteLocalRef(env_, obj_);
    }
    Held(const Held &) = delete;
    Held &operator=(const Held &) = delete;

    jobject obj() const { return obj_; }
    jclass cls() const { return cls_; }

private:
    JNIEnv *env_;
    jobject obj_;
    jclass cls_;
};

// An object held with its own class: nodes, map entries and map values.
Held HoldObject(Bridge &b, jobject obj) {
    jclass cls = obj && !b.thrown ? (*b.env)->GetObjectClass(b.env, obj) : nullptr;
    return Held(b, obj, cls);
}

// An object held with one of the collection interfaces it implements.
Held HoldAs(Bridge &b, jobject obj, const char *interfaceName) {
    jclass cls = nullptr;
    if (obj && !b.thrown) {
        cls = (*b.env)->FindClass(b.env, interfaceName);
        b.Checked();
    }
    return Held(b, obj, cls);
}

// A method of the holder's class, or null. A method the class lacks counts
// as a call that yields nothing (null, zero, false); the lookup's own error
// is cleared so that the JNI may be used on.
jmethodID Method(Bridge &b, const Held &h, const char *name, const char *sig) {
    if (b.thrown || !h.obj() || !h.cls()) return nullptr;
    jmethodID m = (*b.env)->GetMethodID(b.env, h.cls(), name, sig);
    if (!m && (*b.env)->ExceptionCheck(b.env)) (*b.env)->ExceptionClear(b.env);
    return m;
}

jobject CallObject(Bridge &b, const Held &h, const char *name, const char *sig, ...) {
    jmethodID m = Method(b, h, name, sig);
    if (!m) return nullptr;
    va_list args;
    va_start(args, sig);
    jobject result = (*b.env)->CallObjectMethodV(b.env, h.obj(), m, args);
    va_end(args);
    b.Checked();
    if (b.thrown && result) {
        (*b.env)->DeleteLocalRef(b.env, result);
        result = nullptr;
    }
    return result;
}

jint CallInt(Bridge &b, const Held &h, const char *name, const char *sig, ...) {
    jmethodID m = Method(b, h, name, sig);
    if (!m) return 0;
    va_list args;
    va_start(args, sig);
    jint result = (*b.env)->CallIntMethodV(b.env, h.obj(), m, args);
    va_end(args);
    b.Checked();
    return b.thrown ? 0 : result;
}

bool CallBoolean(Bridge &b, const Held &h, const char *name, const char *sig, ...) {
    jmethodID m = Method(b, h, name, sig);
    if (!m) return false;
    va_list args;
    va_start(args, sig);
    jboolean result = (*b.env)->CallBooleanMethodV(b.env, h.obj(), m, args);
    va_end(args);
    b.Checked();
    return !b.thrown && result != 0;
}

jint ListSize(Bridge &b, const Held &list) { return CallInt(b, list, "size", "()I"); }

// The list element at i; the size is asked again so that a list that shrank
// under us is never indexed past its end.
jobject ListGet(Bridge &b, const Held &list, jint i) {
    if (i < 0 || i >= ListSize(b, list)) return nullptr;
    return CallObject(b, list, "get", "(I)Ljava/lang/Object;", i);
}

// The object's identifier as the bytes of its modified UTF-8 form, into a
// zeroed name field. At most the field's 16 bytes are copied: a longer
// identifier leaves no terminator in the field, which the vertex calls
// refuse with -3, and never reaches the next field or record. A null string
// leaves the field empty.
void CopyId(Bridge &b, const Held &h, char (&name)[sizeof(VertRec::name)]) {
    jstring id = static_cast<jstring>(CallObject(b, h, "getId", "()Ljava/lang/String;"));
    if (!id) return;
    const char *chars = (*b.env)->GetStringUTFChars(b.env, id, nullptr);
    if (chars) {
        std::memcpy(name, chars, strnlen(chars, sizeof name));
        (*b.env)->ReleaseStringUTFChars(b.env, id, chars);
    } else {
        b.Checked(); // out of memory in the JVM, with its error pending
    }
    (*b.env)->DeleteLocalRef(b.env, id);
}

// The entries of a node's predecessor or successor map: the map, its entry
// set and the set's iterator, released iterator first.
struct MapWalk {
    Bridge &b;
    Held map, set, iter;

    MapWalk(Bridge &bridge, const Held &node, const char *getter)
        : b(bridge), map(HoldAs(b, CallObject(b, node, getter, "()Ljava/util/Map;"), "java/util/Map")),
          set(HoldAs(b, CallObject(b, map, "entrySet", "()Ljava/util/Set;"), "java/util/Set")),
          iter(HoldAs(b, CallObject(b, set, "iterator", "()Ljava/util/Iterator;"),
                      "java/util/Iterator")) {}

    bool HasNext() { return CallBoolean(b, iter, "hasNext", "()Z"); }
    jobject Next() { return CallObject(b, iter, "next", "()Ljava/lang/Object;"); }
};

jobject ValueOf(Bridge &b, const Held &entry) {
    return CallObject(b, entry, "getValue", "()Ljava/lang/Object;");
}

// One AppVerts call per node and up to 16 predecessors; a node with more is
// appended in batches that all repeat the node's record, which gives the
// same vertices and links in the same order as one long call.
jint AppendNode(Bridge &b, Graph *graph, const Held &node) {
    VertRec recs[kMakeGraphRecords];
    std::memset(recs, 0, sizeof recs);
    CopyId(b, node, recs[0].name);
    MapWalk prev(b, node, "getPrev");
    int count = 1;
    while (prev.HasNext()) {
        if (count == kMakeGraphRecords) {
            jint status = AppVerts(graph, recs, -count);
            if (status < 0) return status;
            std::memset(recs + 1, 0, sizeof recs - sizeof recs[0]);
            count = 1;
        }
        Held entry = HoldObject(b, prev.Next());
        Held value = HoldObject(b, ValueOf(b, entry));
        CopyId(b, value, recs[count++].name);
    }
    if (b.thrown) return E_ARG;
    return AppVerts(graph, recs, -count);
}

void SetIntField(Bridge &b, const Held &h, const char *name, jint value) {
    if (b.thrown || !h.obj() || !h.cls()) return;
    jfieldID f = (*b.env)->GetFieldID(b.env, h.cls(), name, "I");
    if (!f) {
        // No such field: skipped, and its lookup error with it.
        if ((*b.env)->ExceptionCheck(b.env)) (*b.env)->ExceptionClear(b.env);
        return;
    }
    (*b.env)->SetIntField(b.env, h.obj(), f, value);
}

// The cell of the vertex the object's identifier names, into the object's x
// and y. An object whose identifier names no vertex, or that has none, is
// left alone.
void Place(Bridge &b, Graph *graph, const Held &h) {
    VertRec rec;
    std::memset(&rec, 0, sizeof rec);
    CopyId(b, h, rec.name);
    if (b.thrown) return;
    const Vert *v = FindVert(graph, &rec);
    if (!v) return;
    SetIntField(b, h, "x", v->level);
    SetIntField(b, h, "y", v->row);
}

void PlaceValues(Bridge &b, Graph *graph, MapWalk &walk) {
    while (walk.HasNext()) {
        Held entry = HoldObject(b, walk.Next());
        Held value = HoldObject(b, ValueOf(b, entry));
        Place(b, graph, value);
    }
}

void WriteBack(Bridge &b, Graph *graph, const Held &list, jint n) {
    for (jint i = 0; i < n && !b.thrown; ++i) {
        Held node = HoldObject(b, ListGet(b, list, i));
        Place(b, graph, node);
        MapWalk prev(b, node, "getPrev");
        PlaceValues(b, graph, prev);
        MapWalk next(b, node, "getNext");
        PlaceValues(b, graph, next);
    }
}

jint BuildAndPlace(Bridge &b, Graph *graph, const Held &list) {
    jint n = ListSize(b, list);
    for (jint i = 0; i < n; ++i) {
        Held node = HoldObject(b, ListGet(b, list, i));
        jint status = AppendNode(b, graph, node);
        if (status < 0) return status;
    }
    if (b.thrown) return E_ARG;
    jint status = LocVerts(graph);
    if (status < 0) return status;
    WriteBack(b, graph, list, n);
    return b.thrown ? E_ARG : 0;
}

} // namespace

extern "C" BRD_EXPORT jint BRD_JNICALL Java_vrk_vane_dao_jni_GraphAPI_makeGraph(JNIEnv *env,
                                                                               jobject self,
                                                                               jobject nodes) {
    (void)self; // static or not, the receiver is of no use here
    // Ask for every local reference the walk may hold before holding any;
    // on refusal the JVM's OutOfMemoryError stays pending, and the list's
    // reference is still given back, as on every other path.
    if ((*env)->EnsureLocalCapacity(env, kMakeGraphLocalRefs) != 0) {
        if (nodes) (*env)->DeleteLocalRef(env, nodes);
        return E_MEMORY;
    }
    if (!nodes) return E_ARG;

    Bridge b{env, false};
    Held list = HoldAs(b, nodes, "java/util/List");
    if (b.thrown) return E_ARG;

    Graph *graph = nullptr;
    jint status = NewGraph(&graph, 0);
    if (status < 0) return status;
    status = BuildAndPlace(b, graph, list);
    DelGraph(graph);
    return status;
}
