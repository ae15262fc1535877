// Nothing: the precompiled Qt headers of the widget tests are made with it.
