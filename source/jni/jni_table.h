// The part of the Java Native Interface that the bridge uses: its types, its
// calling convention and the function table with the slots the bridge calls,
// each at its standard index. Declared here rather than taken from a JDK so
// that every target, including the Windows cross builds where no JDK headers
// exist, compiles the same bridge against the same table.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

// 32-bit Windows JVMs call native methods callee-cleans (stdcall); elsewhere
// the platform's only convention applies.
#if defined(_WIN32)
#define BRD_JNICALL __stdcall
#else
#define BRD_JNICALL
#endif

namespace brdjni {

typedef int32_t jint;
typedef uint8_t jboolean;
typedef struct Object_ *jobject;
typedef jobject jclass;
typedef jobject jstring;
typedef struct MethodId_ *jmethodID;
typedef struct FieldId_ *jfieldID;

struct NativeInterface;
typedef const NativeInterface *JNIEnv;

// Slots the bridge does not call are kept as opaque pointers so that every
// used slot sits at its index; the static_asserts below pin them.
struct NativeInterface {
    void *unused0[6];
    jclass(BRD_JNICALL *FindClass)(JNIEnv *env, const char *name); // 6
    void *unused7[10];
    void(BRD_JNICALL *ExceptionClear)(JNIEnv *env); // 17
    void *unused18[5];
    void(BRD_JNICALL *DeleteLocalRef)(JNIEnv *env, jobject ref); // 23
    void *unused24[2];
    jint(BRD_JNICALL *EnsureLocalCapacity)(JNIEnv *env, jint capacity); // 26
    void *unused27[4];
    jclass(BRD_JNICALL *GetObjectClass)(JNIEnv *env, jobject obj); // 31
    void *unused32[1];
    jmethodID(BRD_JNICALL *GetMethodID)(JNIEnv *env, jclass cls, const char *name,
                                        const char *sig); // 33
    void *unused34[1];
    jobject(BRD_JNICALL *CallObjectMethodV)(JNIEnv *env, jobject obj, jmethodID method,
                                            va_list args); // 35
    void *unused36[2];
    jboolean(BRD_JNICALL *CallBooleanMethodV)(JNIEnv *env, jobject obj, jmethodID method,
                                              va_list args); // 38
    void *unused39[11];
    jint(BRD_JNICALL *CallIntMethodV)(JNIEnv *env, jobject obj, jmethodID method,
                                      va_list args); // 50
    void *unused51[43];
    jfieldID(BRD_JNICALL *GetFieldID)(JNIEnv *env, jclass cls, const char *name,
                                      const char *sig); // 94
    void *unused95[14];
    void(BRD_JNICALL *SetIntField)(JNIEnv *env, jobject obj, jfieldID field, jint value); // 109
    void *unused110[59];
    const char *(BRD_JNICALL *GetStringUTFChars)(JNIEnv *env, jstring str,
                                                  jboolean *isCopy); // 169
    void(BRD_JNICALL *ReleaseStringUTFChars)(JNIEnv *env, jstring str, const char *chars); // 170
    void *unused171[57];
    jboolean(BRD_JNICALL *ExceptionCheck)(JNIEnv *env); // 228
};

#define BRD_JNI_SLOT(name, index) \
    static_assert(offsetof(NativeInterface, name) == (index) * sizeof(void *), #name)
BRD_JNI_SLOT(FindClass, 6);
BRD_JNI_SLOT(ExceptionClear, 17);
BRD_JNI_SLOT(DeleteLocalRef, 23);
BRD_JNI_SLOT(EnsureLocalCapacity, 26);
BRD_JNI_SLOT(GetObjectClass, 31);
BRD_JNI_SLOT(GetMethodID, 33);
BRD_JNI_SLOT(CallObjectMethodV, 35);
BRD_JNI_SLOT(CallBooleanMethodV, 38);
BRD_JNI_SLOT(CallIntMethodV, 50);
BRD_JNI_SLOT(GetFieldID, 94);
BRD_JNI_SLOT(SetIntField, 109);
BRD_JNI_SLOT(GetStringUTFChars, 169);
BRD_JNI_SLOT(ReleaseStringUTFChars, 170);
BRD_JNI_SLOT(ExceptionCheck, 228);
#undef BRD_JNI_SLOT

} // namespace brdjni
