// The bridge's own declaration of the JNI function table against the JDK's:
// every slot the bridge calls sits where a real JVM puts it.
#include <jni.h>

#include <cstddef>

#include "jni_table.h"

#define SAME_SLOT(name)                                                              \
    static_assert(offsetof(brdjni::NativeInterface, name) ==                        \
                      offsetof(JNINativeInterface_, name),                          \
                  #name)
SAME_SLOT(FindClass);
SAME_SLOT(ExceptionClear);
SAME_SLOT(DeleteLocalRef);
SAME_SLOT(EnsureLocalCapacity);
SAME_SLOT(GetObjectClass);
SAME_SLOT(GetMethodID);
SAME_SLOT(CallObjectMethodV);
SAME_SLOT(CallBooleanMethodV);
SAME_SLOT(CallIntMethodV);
SAME_SLOT(GetFieldID);
SAME_SLOT(SetIntField);
SAME_SLOT(GetStringUTFChars);
SAME_SLOT(ReleaseStringUTFChars);
SAME_SLOT(ExceptionCheck);
static_assert(sizeof(brdjni::jint) == sizeof(jint) && sizeof(brdjni::jboolean) == sizeof(jboolean),
              "JNI scalar types");
