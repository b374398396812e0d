#pragma once
// A window's parts as a test finds them: by object name in the widget tree, the way a
// person finds them by sight. A part that is missing fails the test that asked for it.

#include <QObject>
#include <QString>
#include <stdexcept>
#include <typeinfo>

namespace tomelin::test {

template <class T>
T& part(const QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (!found) {
        throw std::runtime_error("no part \"" + name.toStdString() + "\" of type " +
                                 typeid(T).name() + " in " +
                                 window.objectName().toStdString());
    }
    return *found;
}

// The numbered part `name` + `index` ("nameLabel" 1, "Picture13_" 5).
template <class T>
T& part(const QObject& window, const QString& name, int index) {
    return part<T>(window, name + QString::number(index));
}

}  // namespace tomelin::test
