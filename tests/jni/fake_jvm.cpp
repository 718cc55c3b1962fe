#include "fake_jvm.h"

#include <cstddef>
#include <cstring>

#include <gtest/gtest.h>

#include "block_memory.h"

namespace fakejvm {

namespace {

struct MethodDesc {
    const char *cls, *name, *sig;
};

// Every method the bridge may call, with the class that declares it.
const MethodDesc kMethods[] = {
    {"java/util/List", "size", "()I"},
    {"java/util/List", "get", "(I)Ljava/lang/Object;"},
    {"Node", "getId", "()Ljava/lang/String;"},
    {"Node", "getPrev", "()Ljava/util/Map;"},
    {"Node", "getNext", "()Ljava/util/Map;"},
    {"java/util/Map", "entrySet", "()Ljava/util/Set;"},
    {"java/util/Set", "iterator", "()Ljava/util/Iterator;"},
    {"java/util/Iterator", "hasNext", "()Z"},
    {"java/util/Iterator", "next", "()Ljava/lang/Object;"},
    {"Entry", "getValue", "()Ljava/lang/Object;"},
};

const char *ClassName(JObj::Kind kind) {
    switch (kind) {
    case JObj::List: return "java/util/List";
    case JObj::Node: return "Node";
    case JObj::Map: return "java/util/Map";
    case JObj::Set: return "java/util/Set";
    case JObj::Iter: return "java/util/Iterator";
    case JObj::Entry: return "Entry";
    case JObj::String: return "java/lang/String";
    default: return "java/lang/Object";
    }
}

World *WorldOf(JNIEnv *env) { return reinterpret_cast<World::Env *>(env)->world; }

jclass BRD_JNICALL FindClass(JNIEnv *env, const char *name) {
    World *w = WorldOf(env);
    w->NotPending("FindClass");
    static const std::set<std::string> allowed = {"java/util/List", "java/util/Map",
                                                  "java/util/Set", "java/util/Iterator"};
    if (!allowed.count(name)) w->Violation(std::string("FindClass of ") + name);
    JObj *cls = w->New(JObj::Class);
    cls->text = name;
    return w->NewRef(cls);
}

void BRD_JNICALL ExceptionClear(JNIEnv *env) { WorldOf(env)->pending = false; }

jboolean BRD_JNICALL ExceptionCheck(JNIEnv *env) { return WorldOf(env)->pending; }

void BRD_JNICALL DeleteLocalRef(JNIEnv *env, jobject ref) { WorldOf(env)->Delete(ref); }

jint BRD_JNICALL EnsureLocalCapacity(JNIEnv *env, jint capacity) {
    World *w = WorldOf(env);
    w->NotPending("EnsureLocalCapacity");
    if (w->refuseCapacity) {
        w->pending = true; // the JVM's OutOfMemoryError
        return -1;
    }
    if (size_t(capacity) < w->Live()) w->Violation("capacity below the live references");
    w->capacity = capacity;
    return 0;
}

jclass BRD_JNICALL GetObjectClass(JNIEnv *env, jobject ref) {
    World *w = WorldOf(env);
    w->NotPending("GetObjectClass");
    JObj *obj = w->Deref(ref, "GetObjectClass");
    if (!obj) return nullptr;
    JObj *cls = w->New(JObj::Class);
    cls->text = ClassName(obj->kind);
    cls->bare = obj->bare;
    return w->NewRef(cls);
}

jmethodID BRD_JNICALL GetMethodID(JNIEnv *env, jclass clsRef, const char *name, const char *sig) {
    World *w = WorldOf(env);
    w->NotPending("GetMethodID");
    JObj *cls = w->Deref(clsRef, "GetMethodID");
    if (!cls) return nullptr;
    if (cls->kind != JObj::Class) w->Violation("GetMethodID on a non-class");
    for (const MethodDesc &m : kMethods) {
        if (cls->text != m.cls || std::strcmp(name, m.name) != 0) continue;
        if (std::strcmp(sig, m.sig) != 0)
            w->Violation(std::string("signature of ") + name + ": " + sig);
        bool lacking = w->missing.count(cls->text + "." + name) ||
                       (cls->bare && (m.name == std::string("getPrev") ||
                                      m.name == std::string("getNext")));
        if (lacking) break;
        return reinterpret_cast<jmethodID>(const_cast<MethodDesc *>(&m));
    }
    w->pending = true; // NoSuchMethodError
    return nullptr;
}

// The object a call is made on, checked against the method's class.
JObj *Receiver(World *w, jobject ref, jmethodID id, const char *function, const MethodDesc **m) {
    w->NotPending(function);
    JObj *obj = w->Deref(ref, function);
    *m = reinterpret_cast<const MethodDesc *>(id);
    if (*m < kMethods || *m >= kMethods + sizeof kMethods / sizeof kMethods[0]) {
        w->Violation(std::string(function) + " with an unknown method");
        return nullptr;
    }
    if (obj && std::strcmp(ClassName(obj->kind), (*m)->cls) != 0) {
        w->Violation(std::string((*m)->name) + " called on a " + ClassName(obj->kind));
        return nullptr;
    }
    return obj;
}

jobject BRD_JNICALL CallObjectMethodV(JNIEnv *env, jobject ref, jmethodID id, va_list args) {
    World *w = WorldOf(env);
    const MethodDesc *m = nullptr;
    JObj *obj = Receiver(w, ref, id, "CallObjectMethodV", &m);
    if (!obj) return nullptr;
    std::string name = m->name;
    if (w->Throws(m->name)) return nullptr;
    if (name == "get") {
        jint i = va_arg(args, jint);
        if (i < 0 || size_t(i) >= obj->items.size()) {
            w->Violation("get(" + std::to_string(i) + ") outside the list");
            return nullptr;
        }
        return w->NewRef(obj->items[i]);
    }
    if (name == "getId") {
        if (!obj->hasId) return nullptr;
        JObj *s = w->New(JObj::String);
        s->text = obj->text;
        return w->NewRef(s);
    }
    if (name == "getPrev" || name == "getNext") {
        JObj *map = w->New(JObj::Map);
        map->walk = name == "getPrev" ? &obj->items : &obj->succ;
        return w->NewRef(map);
    }
    if (name == "entrySet" || name == "iterator") {
        JObj *next = w->New(name == "entrySet" ? JObj::Set : JObj::Iter);
        next->walk = obj->walk;
        return w->NewRef(next);
    }
    if (name == "next") {
        if (obj->pos >= obj->walk->size()) {
            w->Violation("next past the end");
            return nullptr;
        }
        JObj *entry = w->New(JObj::Entry);
        entry->value = (*obj->walk)[obj->pos++];
        return w->NewRef(entry);
    }
    if (name == "getValue") return w->NewRef(obj->value);
    w->Violation("CallObjectMethodV for " + name);
    return nullptr;
}

jboolean BRD_JNICALL CallBooleanMethodV(JNIEnv *env, jobject ref, jmethodID id, va_list) {
    World *w = WorldOf(env);
    const MethodDesc *m = nullptr;
    JObj *obj = Receiver(w, ref, id, "CallBooleanMethodV", &m);
    if (!obj) return 0;
    if (std::strcmp(m->name, "hasNext") != 0) w->Violation("CallBooleanMethodV for " + std::string(m->name));
    if (w->Throws(m->name)) return 0;
    return obj->pos < obj->walk->size();
}

jint BRD_JNICALL CallIntMethodV(JNIEnv *env, jobject ref, jmethodID id, va_list) {
    World *w = WorldOf(env);
    const MethodDesc *m = nullptr;
    JObj *obj = Receiver(w, ref, id, "CallIntMethodV", &m);
    if (!obj) return 0;
    if (std::strcmp(m->name, "size") != 0) w->Violation("CallIntMethodV for " + std::string(m->name));
    if (w->Throws(m->name)) return 0;
    return jint(obj->items.size());
}

jfieldID BRD_JNICALL GetFieldID(JNIEnv *env, jclass clsRef, const char *name, const char *sig) {
    World *w = WorldOf(env);
    w->NotPending("GetFieldID");
    JObj *cls = w->Deref(clsRef, "GetFieldID");
    if (!cls) return nullptr;
    if (std::strcmp(sig, "I") != 0) w->Violation(std::string("field signature ") + sig);
    bool x = std::strcmp(name, "x") == 0, y = std::strcmp(name, "y") == 0;
    if (cls->text == "Node" && (x || (y && !cls->bare)))
        return reinterpret_cast<jfieldID>(uintptr_t(x ? 1 : 2));
    w->pending = true; // NoSuchFieldError
    return nullptr;
}

void BRD_JNICALL SetIntField(JNIEnv *env, jobject ref, jfieldID field, jint value) {
    World *w = WorldOf(env);
    w->NotPending("SetIntField");
    JObj *obj = w->Deref(ref, "SetIntField");
    if (!obj) return;
    if (obj->kind != JObj::Node) {
        w->Violation("SetIntField on a non-node");
        return;
    }
    (reinterpret_cast<uintptr_t>(field) == 1 ? obj->x : obj->y) = value;
}

const char *BRD_JNICALL GetStringUTFChars(JNIEnv *env, jstring ref, jboolean *isCopy) {
    World *w = WorldOf(env);
    w->NotPending("GetStringUTFChars");
    if (isCopy) w->Violation("GetStringUTFChars asked for the copy flag");
    JObj *s = w->Deref(ref, "GetStringUTFChars");
    if (!s) return nullptr;
    if (s->kind != JObj::String) w->Violation("GetStringUTFChars on a non-string");
    char *chars = new char[s->text.size() + 1];
    std::memcpy(chars, s->text.c_str(), s->text.size() + 1);
    ++w->outstandingChars;
    return chars;
}

void BRD_JNICALL ReleaseStringUTFChars(JNIEnv *env, jstring ref, const char *chars) {
    World *w = WorldOf(env);
    w->Deref(ref, "ReleaseStringUTFChars");
    --w->outstandingChars;
    delete[] chars;
}

NativeInterface MakeTable() {
    NativeInterface t;
    std::memset(&t, 0, sizeof t);
    t.FindClass = FindClass;
    t.ExceptionClear = ExceptionClear;
    t.DeleteLocalRef = DeleteLocalRef;
    t.EnsureLocalCapacity = EnsureLocalCapacity;
    t.GetObjectClass = GetObjectClass;
    t.GetMethodID = GetMethodID;
    t.CallObjectMethodV = CallObjectMethodV;
    t.CallBooleanMethodV = CallBooleanMethodV;
    t.CallIntMethodV = CallIntMethodV;
    t.GetFieldID = GetFieldID;
    t.SetIntField = SetIntField;
    t.GetStringUTFChars = GetStringUTFChars;
    t.ReleaseStringUTFChars = ReleaseStringUTFChars;
    t.ExceptionCheck = ExceptionCheck;
    return t;
}

const NativeInterface kTable = MakeTable();

} // namespace

World::World() : env_{&kTable, this} {}

JObj *World::New(JObj::Kind kind) {
    objects_.emplace_back(kind);
    return &objects_.back();
}

JObj *World::Node(const std::string &id) {
    JObj *n = New(JObj::Node);
    n->text = id;
    return n;
}

JObj *World::List(const std::vector<JObj *> &elements) {
    JObj *l = New(JObj::List);
    l->items = elements;
    return l;
}

void World::Link(JObj *from, JObj *to) {
    to->items.push_back(from);
    from->succ.push_back(to);
}

jobject World::NewRef(JObj *obj) {
    if (!obj) return nullptr;
    refs_.push_back(Ref{obj, true});
    live_.push_back(&refs_.back());
    if (inCall && capacity < 0) Violation("a reference made before any capacity was reserved");
    if (inCall && live_.size() > size_t(capacity))
        Violation(std::to_string(live_.size()) + " live references, above the capacity");
    if (live_.size() > maxLive) maxLive = live_.size();
    return reinterpret_cast<jobject>(&refs_.back());
}

JObj *World::Deref(jobject ref, const char *function) {
    if (!ref) {
        Violation(std::string(function) + " given a null reference");
        return nullptr;
    }
    for (Ref *r : live_)
        if (reinterpret_cast<jobject>(r) == ref) return r->obj;
    Violation(std::string(function) + " given a dead or unknown reference");
    return nullptr;
}

void World::Delete(jobject ref) {
    if (!ref) {
        Violation("DeleteLocalRef of null");
        return;
    }
    if (live_.empty() || reinterpret_cast<jobject>(live_.back()) != ref) {
        Violation("DeleteLocalRef not of the newest live reference");
        for (size_t i = 0; i < live_.size(); ++i)
            if (reinterpret_cast<jobject>(live_[i]) == ref) {
                live_[i]->live = false;
                live_.erase(live_.begin() + i);
                return;
            }
        Violation("DeleteLocalRef of a dead or unknown reference");
        return;
    }
    live_.back()->live = false;
    live_.pop_back();
}

void World::NotPending(const char *function) {
    if (pending) Violation(std::string(function) + " called with an exception pending");
}

bool World::Throws(const char *method) {
    int n = ++calls[method];
    if (throwMethod == method && n == throwAt) {
        pending = true;
        return true;
    }
    return false;
}

jint World::MakeGraph(JObj *list) {
    violations.clear();
    calls.clear();
    pending = false;
    capacity = -1;
    jobject receiver = NewRef(&receiver_);
    jobject listRef = NewRef(list);
    maxLive = live_.size();
    uint32_t blocks = BlockLiveCount();

    inCall = true;
    jint result = Java_vrk_vane_dao_jni_GraphAPI_makeGraph(env(), receiver, listRef);
    inCall = false;

    EXPECT_EQ(BlockLiveCount(), blocks) << "the graph was not destroyed";
    EXPECT_EQ(Live(), 1u) << "references left besides the receiver";
    EXPECT_EQ(outstandingChars, 0) << "identifier characters not released";
    if (capacity >= 0) {
        EXPECT_LE(maxLive, size_t(capacity));
    }
    for (const std::string &v : violations) ADD_FAILURE() << v;
    Delete(receiver);
    return result;
}

} // namespace fakejvm
